#include "model/tell_user.h"

#include <string>

#include "model/periods.h"
#include "model/slot_table.h"
#include "platform/win32/message_box.h"

namespace haripon {

void TellUser(std::string_view text, HWND focus) {
    ShowMessage(std::string(text), VersionText, focus);
}

void TellUserUnasked(std::string_view text) {
    ShowNotice(std::string(text), VersionText, kAnswerKeyDelayMilliseconds);
}

}  // namespace haripon
