// Conversions between the program's Shift-JIS text and the window system's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace haripon {

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string SjisFromWide(std::wstring_view wide);

}  // namespace haripon
