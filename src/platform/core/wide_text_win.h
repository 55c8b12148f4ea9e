// Conversions between the program's Shift-JIS text and the system's UTF-16, on Windows:
// code page 932 named explicitly, so that the program is right on any system locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace haripon {

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string SjisFromWide(std::wstring_view wide);
// The text in Shift-JIS when code page 932 holds every character of it; nothing otherwise.
std::optional<std::string> ExactSjisFromWide(std::wstring_view wide);

// Error texts are UTF-8 from where they are made to the message box that shows them, so
// that a file name or a system text in any language shows whole.
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

// The system's own text for an error code, in UTF-8.
std::string SystemErrorText(unsigned long error);

}  // namespace haripon
