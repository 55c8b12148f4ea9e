#include "platform/win32/tray_icon.h"

#include <shellapi.h>

#include "platform/core/wide_text_win.h"

namespace haripon {

TrayIcon::TrayIcon(UINT id, UINT callbackMessage, std::string tip, HICON icon)
    : id_(id), callbackMessage_(callbackMessage), tip_(std::move(tip)), icon_(icon) {}

void TrayIcon::Add(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner;
    data.uID = id_;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, WideFromSjis(tip_).c_str(), ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
    owner_ = owner;
}

void TrayIcon::Remove() {
    if (!owner_)
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner_;
    data.uID = id_;
    Shell_NotifyIconW(NIM_DELETE, &data);
    owner_ = nullptr;
}

void TrayIcon::Restore() {
    if (HWND owner = owner_)
        Add(owner);
}

}  // namespace haripon
