// Shift-JIS (code page 932) byte classes.
#pragma once

namespace haripon {

// True for the first byte of a double-byte character of code page 932: 0x81..0x9F and
// 0xE0..0xFC. Used where text meets files and the system.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace haripon
