// What a Windows bitmap file says of itself, checked against what the file holds, before
// any of it is handed to the system.
#pragma once

#include <cstdint>
#include <string_view>

namespace haripon {

// The largest picture taken: far beyond any window of the program, small enough that a
// file claiming it cannot exhaust memory.
inline constexpr std::int32_t kLargestBitmapSide = 8192;

struct BitmapFacts {
    bool Valid = false;
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // rows, whichever way they are stored
    int BitsPerPixel = 0;
};

// Valid when the file is a bitmap of a kind the system decodes (1, 4, 8, 16, 24 or 32 bits
// per pixel, uncompressed, run-length or bit fields), its sides are 1 .. kLargestBitmapSide,
// and its headers, palette and pixel data all lie within the bytes given.
BitmapFacts CheckBitmap(std::string_view file);

}  // namespace haripon
