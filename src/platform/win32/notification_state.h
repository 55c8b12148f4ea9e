// Whether the user takes notifications now. Windows' own notifications wait while the user
// presents (a slide show, a shared screen), while a full-screen Direct3D program runs and
// while a full-screen window covers the monitor.
#pragma once

#include <optional>

namespace haripon {

// The shell's answer (SHQueryUserNotificationState, Vista on); true where it gives none.
bool UserTakesNotifications();

// While one lives, the answer is its own, as a test sets it.
class ScopedNotificationState {
  public:
    explicit ScopedNotificationState(bool takes);
    ~ScopedNotificationState();
    ScopedNotificationState(const ScopedNotificationState&) = delete;
    ScopedNotificationState& operator=(const ScopedNotificationState&) = delete;

  private:
    std::optional<bool> previous_;
};

}  // namespace haripon
