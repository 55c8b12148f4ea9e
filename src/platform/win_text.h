// Conversions between the program's Shift-JIS text and the window system's UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace haripon {

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string SjisFromWide(std::wstring_view wide);
// The text in Shift-JIS when code page 932 holds every character of it; nothing otherwise.
std::optional<std::string> ExactSjisFromWide(std::wstring_view wide);

// The system's own text for an error code, as Shift-JIS.
std::string SystemErrorText(DWORD error);

// Compares two Shift-JIS texts as the user's locale sorts them, letter case ignored:
// negative, zero or positive.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

// A window's text (a control's contents, a top-level window's caption).
std::wstring WindowText(HWND window);

}  // namespace haripon
