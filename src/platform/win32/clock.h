// The local date and time, which tests can hold at a moment of their choosing.
#pragma once

#include <windows.h>

#include <optional>

namespace haripon {

// GetLocalTime, unless a ScopedFixedClock holds the time.
SYSTEMTIME ReadLocalTime();

class ScopedFixedClock {
  public:
    explicit ScopedFixedClock(const SYSTEMTIME& now);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;

  private:
    std::optional<SYSTEMTIME> previous_;
};

}  // namespace haripon
