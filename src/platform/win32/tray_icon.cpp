#include "platform/win32/tray_icon.h"

#include <shellapi.h>

#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

int& FailuresToCome() {
    static int failures = 0;
    return failures;
}

}  // namespace

TrayIcon::ScopedFailures::ScopedFailures(int count) {
    FailuresToCome() = count;
}

TrayIcon::ScopedFailures::~ScopedFailures() {
    FailuresToCome() = 0;
}

TrayIcon::TrayIcon(UINT id, UINT callbackMessage, std::string tip, HICON icon)
    : id_(id), callbackMessage_(callbackMessage), tip_(std::move(tip)), icon_(icon) {}

TrayIcon::~TrayIcon() {
    Remove();
    if (icon_)
        DestroyIcon(icon_);
}

bool TrayIcon::Add(HWND owner) {
    owner_ = owner;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner;
    data.uID = id_;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, WideFromSjis(tip_).c_str(), ARRAYSIZE(data.szTip));
    if (FailuresToCome() > 0) {
        --FailuresToCome();
        return added_ = false;
    }
    // An icon the shell still has (its restart was announced twice) is refused as a second
    // one: it is there all the same.
    added_ = Shell_NotifyIconW(NIM_ADD, &data) || Shell_NotifyIconW(NIM_MODIFY, &data);
    return added_;
}

void TrayIcon::Remove() {
    if (!added_)
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner_;
    data.uID = id_;
    Shell_NotifyIconW(NIM_DELETE, &data);
    owner_ = nullptr;
    added_ = false;
}

bool TrayIcon::Restore() {
    return owner_ && Add(owner_);
}

}  // namespace haripon
