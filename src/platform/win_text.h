// Conversions between the program's Shift-JIS text and the window system's UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace haripon {

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string SjisFromWide(std::wstring_view wide);

// A window's text (a control's contents, a top-level window's caption).
std::wstring WindowText(HWND window);

}  // namespace haripon
