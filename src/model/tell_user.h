// The program's messages to the user: a box with the text (Shift-JIS), the version text as
// its caption and one OK button; afterwards the keyboard goes to `focus` when one is given.
#pragma once

#include <windows.h>

#include <string_view>

namespace haripon {

void TellUser(std::string_view text, HWND focus = nullptr);

// The same, for news nobody asked for (memos kept, a file set aside, copies taken): it comes
// above the other windows without taking the keyboard, and a key answers it only a moment
// after the user gives it the keyboard, so that it is never closed unread.
void TellUserUnasked(std::string_view text);

}  // namespace haripon
