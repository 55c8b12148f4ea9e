// Shift-JIS (code page 932) byte classes.
#pragma once

namespace haripon {

// True for the first byte of a double-byte character: 0x81..0x9F and 0xE0..0xFC.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace haripon
