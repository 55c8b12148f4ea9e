// The program's messages to the user: a box with the text (Shift-JIS), the version text as
// its caption and one OK button; afterwards the keyboard goes to `focus` when one is given.
#pragma once

#include <windows.h>

#include <string_view>

namespace haripon {

void TellUser(std::string_view text, HWND focus = nullptr);

}  // namespace haripon
