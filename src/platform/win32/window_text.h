// Text that the window system holds or compares.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace haripon {

// A window's text (a control's contents, a top-level window's caption).
std::wstring WindowText(HWND window);

// Compares two Shift-JIS texts as the user's locale sorts them, letter case ignored:
// negative, zero or positive.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace haripon
