#include "platform/message_box.h"

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/error_report.h"
#include "platform/win_text.h"

namespace haripon {

namespace {

MessageBoxHook messageBoxHook = nullptr;

void ShowBox(const std::string& text, const std::string& caption, UINT style) {
    if (messageBoxHook) {
        messageBoxHook(text, caption);
        return;
    }
    MessageBoxW(GetActiveWindow(), WideFromSjis(text).c_str(), WideFromSjis(caption).c_str(),
                style | MB_OK | MB_SETFOREGROUND);
}

}  // namespace

void ShowMessage(const std::string& text, const std::string& caption, HWND focus) {
    ShowBox(text, caption, 0);
    if (focus)
        SetFocus(focus);
}

void ShowMessage(const std::string& text, HWND focus) {
    ShowMessage(text, VersionText, focus);
}

void ShowErrorReport(const std::string& text) {
    ShowBox(text, kAppName, MB_ICONERROR);
}

void SetMessageBoxHook(MessageBoxHook hook) {
    messageBoxHook = hook;
}

}  // namespace haripon
