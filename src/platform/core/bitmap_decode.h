// The pixels of a Windows bitmap file, decoded only as far as a window can show them: a
// picture keeps no more memory than its place, whatever size its file claims.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace haripon {

// A part of a picture, in pixels from its top-left corner.
struct PictureRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// Pixels ready for a device-independent bitmap of BI_RGB form with top-down rows.
struct DecodedPicture {
    std::int32_t Width = 0;   // the parts' widths added up
    std::int32_t Height = 0;  // the parts' height
    int BitsPerPixel = 0;     // 1, 4, 8, 24 or 32
    // 1, 4 and 8 bits: the colour table as RGBQUADs (0x00RRGGBB), an entry for every index
    // the depth allows, those the file leaves out black.
    std::vector<std::uint32_t> Palette;
    // Rows from the top, each padded to a multiple of four bytes.
    std::vector<std::uint8_t> Pixels;
    // The whole picture's bottom-left pixel (the colour a transparent picture leaves out),
    // as 0x00BBGGRR.
    std::uint32_t BottomLeft = 0;
};

// Decodes the parts of a file that CheckBitmap accepts, put side by side from the left in
// the order given; nothing when the file is not accepted, or a part does not lie within the
// picture, or the parts differ in height, or together they would take more than 2 GB.
// Uncompressed files of 1, 4, 8, 24 and 32 bits per pixel keep their depth (and colour
// table); 16 bits, bit fields and run-length files come as 32 bits, with the pixels a
// run-length file skips black. The work and the memory are bounded by the parts, not by the
// sides the file claims.
//
// `into`, when given, is asked for the memory the pixels go to, once their shape (sides,
// depth, colour table) is known: a bitmap's own memory, so that they are not held twice;
// DecodedPicture::Pixels then stays empty. A null answer gives nothing.
// `inColours`: the pixels of a colour table come as 24 bits of its colours, for a picture
// drawn leaving one colour out (a table may hold that colour twice).
using PixelMemory = std::function<std::uint8_t*(const DecodedPicture& shape, std::size_t bytes)>;
std::optional<DecodedPicture> DecodeBitmap(std::string_view file,
                                           const std::vector<PictureRect>& parts,
                                           const PixelMemory& into = {}, bool inColours = false);

}  // namespace haripon
