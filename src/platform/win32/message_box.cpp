#include "platform/win32/message_box.h"

#include <utility>

#include "platform/core/answer_keys.h"
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

// A notice on the screen, the innermost where one comes up over another, and the hooks that
// keep its answering keys until they count. The box is the first dialog the thread makes
// while it lives. Its own activation, as it comes up, is refused; one once it is on the screen
// and its loop runs is the user's.
class Notice {
  public:
    explicit Notice(DWORD keyDelay)
        : keys_(keyDelay),
          outer_(std::exchange(Shown(), this)),
          cbt_(SetWindowsHookExW(WH_CBT, &Cbt, nullptr, GetCurrentThreadId())),
          filter_(SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId())) {}
    ~Notice() {
        if (filter_)
            UnhookWindowsHookEx(filter_);
        if (cbt_)
            UnhookWindowsHookEx(cbt_);
        Shown() = outer_;
    }
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

  private:
    static Notice*& Shown() {
        static Notice* shown = nullptr;
        return shown;
    }

    static bool IsDialog(HWND window) {
        wchar_t name[8] = {};
        return GetClassNameW(window, name, 8) && lstrcmpW(name, L"#32770") == 0;
    }

    static bool IsAnswerKey(const MSG& message) {
        switch (message.message) {
            case WM_KEYDOWN:
            case WM_KEYUP:
                return message.wParam == VK_RETURN || message.wParam == VK_SPACE ||
                       message.wParam == VK_ESCAPE;
            case WM_CHAR:
                return message.wParam == L'\r' || message.wParam == L' ' || message.wParam == 0x1B;
            default:
                return false;
        }
    }

    static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam) {
        Notice* const notice = Shown();
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (notice && code == HCBT_CREATEWND && !notice->box_ && IsDialog(window))
            notice->box_ = window;
        if (notice && code == HCBT_ACTIVATE && window == notice->box_) {
            if (!notice->running_)
                return 1;
            notice->keys_.Given(GetTickCount());
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A key pressed that does not count is kept from the box, and so are its character and
    // its release.
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
        Notice* const notice = Shown();
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        if (code >= 0 && notice && notice->box_ &&
            (message.hwnd == notice->box_ || IsChild(notice->box_, message.hwnd))) {
            notice->running_ = notice->running_ || IsWindowVisible(notice->box_);
            if (GetActiveWindow() != notice->box_)
                notice->keys_.Taken();
            if (IsAnswerKey(message)) {
                if (message.message == WM_KEYDOWN)
                    notice->pressCounts_ =
                        notice->keys_.Counts(GetTickCount(), (message.lParam & (1 << 30)) != 0);
                if (!notice->pressCounts_)
                    return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    AnswerKeys keys_;
    Notice* const outer_;
    const HHOOK cbt_;
    const HHOOK filter_;
    HWND box_ = nullptr;
    bool running_ = false;
    bool pressCounts_ = false;
};

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

void ShowNotice(const std::string& text, const std::string& caption, DWORD keyDelay) {
    const Notice notice(keyDelay);
    ShowBox(text, WideFromSjis(text), caption, MB_TOPMOST, nullptr, false);
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
