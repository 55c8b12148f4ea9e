// Fitting Shift-JIS memo text into at most three rows, by bytes or by width, never
// splitting a double-byte character.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace haripon {

// The lead bytes of the memo strips: 0x80..0x9F and 0xE0..0xEA. A lead byte and the byte
// after it are one double-byte character; every other byte is a character of its own.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEA);
}

struct TextRows {
    std::array<std::string, 3> Row;
};

// Rows of at most `budget` bytes. The text ends at its end or at a NUL byte; a lead byte
// with nothing after it is dropped.
TextRows FitTextToBytes(std::string_view text, int budget);
// Rows of at most `budget` width units: 6 for a single-byte character, 12 for a double-byte
// one, which must end strictly before the budget.
TextRows FitTextToWidth(std::string_view text, int budget);

}  // namespace haripon
