#include "platform/win32/tray_icon.h"

#include <shellapi.h>

#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

int& FailuresToCome() {
    static int failures = 0;
    return failures;
}

// The shell's library is loaded with the first icon rather than with the program, whose
// title is then on the screen sooner. shell32 is one of the system's known libraries: the
// copy loaded is always the system's own, never one beside the program.
// Not loaded, it fails as a shell not yet ready does, and is tried again with the next icon.
BOOL NotifyShell(DWORD message, NOTIFYICONDATAW& data) {
    using Notify = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    static Notify notify = nullptr;
    if (!notify) {
        if (const HMODULE shell = LoadLibraryW(L"shell32.dll")) {
            notify = reinterpret_cast<Notify>(
                reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconW")));
        }
    }
    return notify && notify(message, &data);
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

// The fourth version shows the standard tip only when asked to (NIF_SHOWTIP, which older
// shells ignore).
NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;  // the record of the fourth version, which it asks for
    data.hWnd = owner_;
    data.uID = id_;
    data.uFlags = flags & NIF_TIP ? flags | NIF_SHOWTIP : flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, WideFromSjis(tip_).c_str(), ARRAYSIZE(data.szTip));
    return data;
}

// Windows 8.1 on converts for the owner's monitor; Vista for the system's scale.
POINT TrayIcon::MenuPoint(int x, int y) const {
    using Convert = BOOL(WINAPI*)(HWND, POINT*);
    POINT point{x, y};
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    for (const char* name : {"PhysicalToLogicalPointForPerMonitorDPI", "PhysicalToLogicalPoint"}) {
        if (const auto convert = reinterpret_cast<Convert>(
                reinterpret_cast<void*>(user ? GetProcAddress(user, name) : nullptr))) {
            POINT converted = point;
            if (convert(owner_, &converted))
                return converted;
        }
    }
    return point;
}

void TrayIcon::SetTip(std::string tip) {
    tip_ = std::move(tip);
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(NIF_TIP);
    NotifyShell(NIM_MODIFY, data);
}

bool TrayIcon::Add(HWND owner) {
    owner_ = owner;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (FailuresToCome() > 0) {
        --FailuresToCome();
        return added_ = false;
    }
    // An icon the shell still has (its restart was announced twice) is refused as a second
    // one: it is there all the same.
    added_ = NotifyShell(NIM_ADD, data) || NotifyShell(NIM_MODIFY, data);
    // The fourth version of the icon's messages tells of the keyboard too (Win+B, the arrows,
    // Enter, the menu key); a shell that does not speak it keeps the older messages.
    if (added_) {
        data.uVersion = NOTIFYICON_VERSION_4;
        NotifyShell(NIM_SETVERSION, data);
    }
    return added_;
}

void TrayIcon::Remove() {
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(0);
    NotifyShell(NIM_DELETE, data);
    owner_ = nullptr;
    added_ = false;
}

void TrayIcon::GiveFocusBack() {
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(0);
    NotifyShell(NIM_SETFOCUS, data);
}

bool TrayIcon::Restore() {
    return owner_ && Add(owner_);
}

}  // namespace haripon
