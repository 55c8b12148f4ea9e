// Shift-JIS (code page 932) byte classes.
#pragma once

#include <cstddef>
#include <string_view>

namespace haripon {

// True for the first byte of a double-byte character of code page 932: 0x81..0x9F and
// 0xE0..0xFC. Used where text meets files and the system.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The size in bytes of the character at `at`: 2 for a lead byte with a byte after it, else 1
// (a lead byte at the end stands alone).
constexpr std::size_t Cp932CharSize(std::string_view text, std::size_t at) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// True when the bytes are whole characters of code page 932: single bytes 0x00..0x7F and
// 0xA1..0xDF, and lead bytes each followed by a trail byte 0x40..0x7E or 0x80..0xFC.
constexpr bool IsCp932Text(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsCp932LeadByte(byte)) {
            if (++i == bytes.size())
                return false;
            const auto trail = static_cast<unsigned char>(bytes[i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
                return false;
        } else if (byte >= 0x80 && (byte < 0xA1 || byte > 0xDF)) {
            return false;
        }
    }
    return true;
}

}  // namespace haripon
