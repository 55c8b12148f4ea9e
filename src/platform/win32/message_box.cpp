#include "platform/win32/message_box.h"

#include <utility>

#include "platform/win32/error_report.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

ScopedMessageBoxHook::Hook& CurrentHook() {
    static ScopedMessageBoxHook::Hook hook;
    return hook;
}

std::string& ErrorReportCaption() {
    static std::string caption;
    return caption;
}

// `text` and `caption` as the caller has them; `wide` the text as it is shown. Unless
// `foreground` is false, the box takes the keyboard.
void ShowBox(const std::string& text, const std::wstring& wide, const std::string& caption,
             UINT style, HWND owner = GetActiveWindow(), bool foreground = true) {
    if (const auto& hook = CurrentHook()) {
        hook(text, caption);
        return;
    }
    MessageBoxW(owner, wide.c_str(), WideFromSjis(caption).c_str(),
                style | MB_OK | (foreground ? MB_SETFOREGROUND : 0));
}

BOOL CALLBACK FrontDialog(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    return FALSE;
}

}  // namespace

void BringShownMessageToFront() {
    EnumThreadWindows(GetCurrentThreadId(), &FrontDialog, 0);
}

void ShowMessage(const std::string& text, const std::string& caption, HWND focus) {
    ShowBox(text, WideFromSjis(text), caption, 0);
    if (focus)
        SetFocus(focus);
}

void ShowErrorReportOver(HWND owner, const std::string& text) {
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    try {
        // Over a window that came on its own, the report is shown above everything but does
        // not take the keyboard: an Enter meant for another program does not close it.
        ShowBox(text, WideFromUtf8(text), ErrorReportCaption(),
                MB_ICONERROR | (owner ? MB_TOPMOST : 0), owner ? owner : GetActiveWindow(),
                owner == nullptr);
    } catch (...) {
    }
    showing = false;
}

void ShowErrorReport(const std::string& text) {
    ShowErrorReportOver(nullptr, text);
}

void SetErrorReportCaption(std::string caption) {
    ErrorReportCaption() = std::move(caption);
}

ScopedMessageBoxHook::ScopedMessageBoxHook(Hook hook)
    : previous_(std::exchange(CurrentHook(), std::move(hook))) {}

ScopedMessageBoxHook::~ScopedMessageBoxHook() {
    CurrentHook() = std::move(previous_);
}

}  // namespace haripon
