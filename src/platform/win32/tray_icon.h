// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <string>

namespace haripon {

class TrayIcon {
  public:
    // `icon` belongs to the caller (a resource icon, which is never destroyed).
    TrayIcon(UINT id, UINT callbackMessage, std::string tip, HICON icon);
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for the window; the result is not needed.
    void Add(HWND owner);
    void Remove();
    bool Added() const { return owner_ != nullptr; }
    // The taskbar was restarted: an icon that was there is added again.
    void Restore();

  private:
    UINT id_;
    UINT callbackMessage_;
    std::string tip_;
    HICON icon_;
    HWND owner_ = nullptr;
};

}  // namespace haripon
