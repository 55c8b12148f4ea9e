// The rule by which memo text is measured where it is drawn into pictures: which bytes of
// Shift-JIS begin a double-byte character, and how wide each character is. The strips'
// fitters and the theme checker both measure by it.
#pragma once

#include <string_view>

namespace haripon {

// The lead bytes of the memo strips: 0x80..0x9F and 0xE0..0xEA. A lead byte and the byte
// after it are one double-byte character; every other byte is a character of its own.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEA);
}

// Width units of a character.
inline constexpr int kSingleByteUnits = 6;
inline constexpr int kDoubleByteUnits = 12;

// Width units of a text: the text ends at its end or at a NUL byte; a lead byte with
// nothing after it is dropped.
constexpr int TextWidthUnits(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size() && text[i] != '\0';) {
        if (!IsLeadByte(static_cast<unsigned char>(text[i]))) {
            width += kSingleByteUnits;
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] != '\0') {
            width += kDoubleByteUnits;
            i += 2;
        } else {
            break;
        }
    }
    return width;
}

}  // namespace haripon
