#include "platform/message_box.h"

#include "model/slot_table.h"
#include "platform/win_text.h"

namespace haripon {

namespace {
MessageBoxHook messageBoxHook = nullptr;
}

void ShowMessage(const std::string& text, const std::string& caption, HWND focus) {
    if (messageBoxHook) {
        messageBoxHook(text, caption);
    } else {
        MessageBoxW(GetActiveWindow(), WideFromSjis(text).c_str(), WideFromSjis(caption).c_str(),
                    MB_OK | MB_SETFOREGROUND);
    }
    if (focus)
        SetFocus(focus);
}

void ShowMessage(const std::string& text, HWND focus) {
    ShowMessage(text, VersionText, focus);
}

void SetMessageBoxHook(MessageBoxHook hook) {
    messageBoxHook = hook;
}

}  // namespace haripon
