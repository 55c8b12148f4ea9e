// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <string>

namespace haripon {

class TrayIcon {
  public:
    TrayIcon(UINT id, UINT callbackMessage, std::string tip);
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the application's main icon for the window; the result is not needed.
    void Add(HWND owner);
    void Remove();
    bool Added() const { return owner_ != nullptr; }
    // The taskbar was restarted: an icon that was there is added again.
    void Restore();

  private:
    UINT id_;
    UINT callbackMessage_;
    std::string tip_;
    HWND owner_ = nullptr;
};

}  // namespace haripon
