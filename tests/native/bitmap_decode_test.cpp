#include "platform/core/bitmap_decode.h"

#include <gtest/gtest.h>

#include <tuple>

namespace haripon {
namespace {

std::string Le(std::uint64_t value, int size) {
    std::string bytes;
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Hex(std::string_view text) {
    std::string bytes;
    for (std::size_t at = 0; (at = text.find_first_not_of(' ', at)) != text.npos; at += 2)
        bytes += static_cast<char>(std::stoi(std::string(text.substr(at, 2)), nullptr, 16));
    return bytes;
}

// A file of a `header`-byte information header (12: the old one), `table` (colours or masks,
// within a header longer than 40 bytes) and `pixels`.
std::string Bitmap(int width, int rows, int bits, std::uint32_t compression,
                   const std::string& table, const std::string& pixels, std::uint32_t header = 40) {
    const int side = header == 12 ? 2 : 4;
    std::string headers = Le(header, 4) + Le(width, side) + Le(rows, side) + Le(1, 2) + Le(bits, 2);
    if (header > 12)
        headers += Le(compression, 4) + Le(pixels.size(), 4) + Le(0, 8) +
                   Le(bits <= 8 ? table.size() / 4 : 0, 4) + Le(0, 4);
    headers += table;
    headers.resize(std::max<std::size_t>(headers.size(), header));
    return "BM" + Le(0, 8) + Le(14 + headers.size(), 4) + headers + pixels;
}

// Each picture is 4 x 2; the parts show [(1,0) (2,1) (3,1)]: the first starts within a byte,
// the last on one at four bits but goes within one.
const std::vector<PictureRect> kParts = {{1, 0, 1, 1}, {4, 0, 0, 1}, {2, 1, 2, 1}};
const std::string kPalette = Hex("30201000 C0B0A0FF FFFFFF00 00008000");
const std::string kOneBit = Hex("D0000000 40000000");
const std::string kEightBits = Hex("01020304 05060708");

TEST(DecodeBitmap, PartsSideBySideOfEveryKind) {
    // The kind, the file, the depth decoded, the pixels and the bottom-left pixel.
    const std::tuple<const char*, std::string, int, const char*, std::uint32_t> cases[] = {
        {"1 bit", Bitmap(4, 2, 1, 0, kPalette, kOneBit), 1, "A0000000", 0xC0B0A0},
        {"old header", Bitmap(4, 2, 1, 0, Hex("302010 C0B0A0"), kOneBit, 12), 1, "A0000000",
         0xC0B0A0},
        {"4 bits", Bitmap(4, 2, 4, 0, kPalette, Hex("12340000 56780000")), 4, "63400000", 0xC0B0A0},
        {"8 bits", Bitmap(4, 2, 8, 0, kPalette, kEightBits), 8, "06030400", 0xC0B0A0},
        {"top-down", Bitmap(4, -2, 8, 0, kPalette, Hex("05060708 01020304")), 8, "06030400",
         0xC0B0A0},
        {"24 bits",
         Bitmap(4, 2, 24, 0, "", Hex("010203 040506 070809 0A0B0C 111213 141516 171819 1A1B1C")),
         24, "141516 070809 0A0B0C 000000", 0x010203},
        {"32 bits",
         Bitmap(4, 2, 32, 0, "",
                Hex("010203FF 040506FF 070809FF 0A0B0CFF 111213FF 141516FF 171819FF 1A1B1CFF")),
         32, "14151600 07080900 0A0B0C00", 0x010203},
        {"5-5-5", Bitmap(4, 2, 16, 0, "", Hex("FF7F 0000 10FC E003 0000 0100 0000 0000")), 32,
         "08000000 8400FF00 00FF0000", 0xFFFFFF},
        {"5-6-5 in a header of 108 bytes",
         Bitmap(4, 2, 16, 3, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x1F, 4),
                Hex("FFFF 0000 0004 00F8 0000 1000 0000 0000"), 108),
         32, "84000000 00820000 0000FF00", 0xFFFFFF},
        {"10-10-10",
         Bitmap(4, 2, 32, 3, Le(0x3FF, 4) + Le(0xFFC00, 4) + Le(0x3FF00000, 4),
                Hex("FFFFFFFF 00000000 FF030020 00000000 00000000 00FC0F00 00000000 00000000")),
         32, "00FF0000 8000FF00 00000000", 0xFFFFFF},
        // Three absolute, one of index 1, end of line; two skipped, two of index 3; end.
        {"run-length 8",
         Bitmap(4, 2, 8, 1, kPalette, Hex("0003 010302 00 0101 0000 00020200 0203 0001")), 32,
         "00000000 FFFFFF00 C0B0A000", 0xC0B0A0},
        {"run-length 4", Bitmap(4, 2, 4, 2, kPalette, Hex("0412 0000 00032310 0001")), 32,
         "00008000 C0B0A000 FFFFFF00", 0xC0B0A0},
    };
    for (const auto& [kind, file, bits, pixels, bottomLeft] : cases) {
        const auto picture = DecodeBitmap(file, kParts);
        ASSERT_TRUE(picture) << kind;
        EXPECT_EQ(
            std::tie(picture->Width, picture->Height, picture->BitsPerPixel, picture->BottomLeft),
            std::make_tuple(3, 1, bits, bottomLeft))
            << kind;
        EXPECT_EQ(std::string(picture->Pixels.begin(), picture->Pixels.end()), Hex(pixels)) << kind;
        EXPECT_EQ(picture->Palette.size(), bits <= 8 ? std::size_t{1} << bits : 0) << kind;
        // The same into memory of the caller's, which the decoder asks for by the shape.
        std::vector<std::uint8_t> memory(64, 0xEE);
        const int depth = bits;  // a structured binding cannot be captured in C++17
        const auto into =
            DecodeBitmap(file, kParts, [&](const DecodedPicture& shape, std::size_t bytes) {
                return shape.BitsPerPixel == depth && bytes == picture->Pixels.size()
                           ? memory.data()
                           : nullptr;
            });
        ASSERT_TRUE(into && into->Pixels.empty()) << kind;
        EXPECT_EQ(std::string(memory.begin(), memory.begin() + picture->Pixels.size()), Hex(pixels))
            << kind;
    }
}

// Asked in colours, a colour table's pixels come as 24 bits of its colours.
TEST(DecodeBitmap, ATableInColours) {
    const auto picture = DecodeBitmap(Bitmap(4, 2, 1, 0, kPalette, kOneBit), kParts, {}, true);
    ASSERT_TRUE(picture && picture->Palette.empty());
    EXPECT_EQ(std::tie(picture->BitsPerPixel, picture->BottomLeft), std::make_tuple(24, 0xC0B0A0u));
    EXPECT_EQ(std::string(picture->Pixels.begin(), picture->Pixels.end()),
              Hex("C0B0A0 302010 C0B0A0 000000"));
}

// No parts give the colour table, filled up with black; bad parts or files, nothing.
TEST(DecodeBitmap, NoPartsBadPartsAndBadFiles) {
    EXPECT_EQ(DecodeBitmap(Bitmap(4, 2, 4, 0, kPalette, kEightBits), {}).value().Palette,
              (std::vector<std::uint32_t>{0x102030, 0xA0B0C0, 0xFFFFFF, 0x800000, 0, 0, 0, 0, 0, 0,
                                          0, 0, 0, 0, 0, 0}));
    const std::string good = Bitmap(4, 2, 8, 0, kPalette, kEightBits);
    const std::vector<PictureRect> bad[] = {{{0, 0, 5, 1}},
                                            {{-1, 0, 1, 1}},
                                            {{0, 1, 1, 2}},
                                            {{2, 0, -1, 1}},
                                            {{0, 0, 1, 1}, {0, 0, 1, 2}}};
    for (const auto& parts : bad)
        EXPECT_FALSE(DecodeBitmap(good, parts)) << parts.size();
    EXPECT_FALSE(DecodeBitmap(good.substr(0, good.size() - 1), {}));
    EXPECT_FALSE(DecodeBitmap(Bitmap(4, -2, 8, 1, kPalette, Hex("0001")), {}));  // top-down runs
}

}  // namespace
}  // namespace haripon
