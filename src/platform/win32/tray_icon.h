// The program's icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace haripon {

class TrayIcon {
  public:
    // `icon` becomes the tray icon's own, destroyed with it.
    TrayIcon(UINT id, UINT callbackMessage, std::string tip, HICON icon);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for the window; false when the shell refused it (at log-on it may not
    // be ready yet).
    bool Add(HWND owner);
    void Remove();
    bool Added() const { return added_; }
    // The icon's menu was closed with nothing chosen: the keyboard goes back to the
    // notification area, where the user was.
    void GiveFocusBack();
    // The point the fourth version's menu request gives, in physical pixels, as the owner
    // window counts them (scaled where Windows scales it).
    POINT MenuPoint(int x, int y) const;
    // The taskbar was (re)started: an icon that was wanted is added again.
    bool Restore();
    // The tip shown over the icon (Shift-JIS), now and whenever it is added again.
    void SetTip(std::string tip);
    const std::string& Tip() const { return tip_; }

    // While one lives, the next `count` adds fail as a shell not yet ready makes them.
    class ScopedFailures {
      public:
        explicit ScopedFailures(int count);
        ~ScopedFailures();
        ScopedFailures(const ScopedFailures&) = delete;
        ScopedFailures& operator=(const ScopedFailures&) = delete;
    };

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    UINT id_;
    UINT callbackMessage_;
    std::string tip_;
    HICON icon_;
    HWND owner_ = nullptr;
    bool added_ = false;
};

}  // namespace haripon
