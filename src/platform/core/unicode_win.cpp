#include "platform/core/unicode.h"

#include <windows.h>

namespace haripon {

std::string SjisFromUtf16(std::u16string_view text) {
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(932, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string sjis(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, 0, wide, size, sjis.data(), length, nullptr, nullptr);
    return sjis;
}

}  // namespace haripon
