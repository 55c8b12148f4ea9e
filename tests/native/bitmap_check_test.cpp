#include "platform/core/bitmap_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace haripon {
namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A bitmap file with an information header; `rows` is negative for a top-down picture.
std::string Bitmap(std::int32_t width, std::int32_t rows, int bits, std::uint32_t compression = 0,
                   std::uint32_t imageSize = 0) {
    const std::uint32_t palette = bits <= 8 ? (4u << bits) : (compression == 3 ? 12 : 0);
    const std::uint32_t offset = 14 + 40 + palette;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t pixels =
        imageSize ? imageSize : rowBytes * static_cast<std::uint64_t>(rows < 0 ? -rows : rows);
    std::string bytes(offset + std::min<std::uint64_t>(pixels, 1 << 24), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, 10, offset, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
    Put(bytes, 22, static_cast<std::uint32_t>(rows), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, static_cast<std::uint32_t>(bits), 2);
    Put(bytes, 30, compression, 4);
    Put(bytes, 34, imageSize, 4);
    return bytes;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(CheckBitmap, KindsTheSystemDecodes) {
    for (const int bits : {1, 4, 8, 16, 24, 32})
        EXPECT_TRUE(CheckBitmap(Bitmap(13, 7, bits)).Valid) << bits;
    EXPECT_TRUE(CheckBitmap(Bitmap(5, -3, 24)).Valid);       // top-down
    EXPECT_TRUE(CheckBitmap(Bitmap(5, 3, 32, 3)).Valid);     // bit fields
    EXPECT_TRUE(CheckBitmap(Bitmap(5, 3, 8, 1, 20)).Valid);  // run-length
    const BitmapFacts facts = CheckBitmap(Bitmap(300, -200, 24));
    EXPECT_EQ(facts.Width, 300);
    EXPECT_EQ(facts.Height, 200);
    EXPECT_EQ(facts.BitsPerPixel, 24);

    std::string core(14 + 12 + 8 * 3, '\0');  // a 2 x 3 picture of 24 bits, old header
    core[0] = 'B';
    core[1] = 'M';
    Put(core, 10, 26, 4);
    Put(core, 14, 12, 4);
    Put(core, 18, 2, 2);
    Put(core, 20, 3, 2);
    Put(core, 22, 1, 2);
    Put(core, 24, 24, 2);
    EXPECT_TRUE(CheckBitmap(core).Valid);
}

TEST(CheckBitmap, HeadersThatLieOrPromiseTooMuch) {
    const std::string good = Bitmap(40, 30, 24);
    const auto with = [&](std::size_t at, std::uint32_t value, int size) {
        std::string bytes = good;
        Put(bytes, at, value, size);
        return bytes;
    };
    const std::string bad[] = {
        "",
        "BM",
        good.substr(0, 30),
        good.substr(0, 54),
        good.substr(0, good.size() - 1),  // one byte of pixels short
        "XX" + good.substr(2),            // not a bitmap
        with(10, 1u << 30, 4),            // pixels beyond the end
        with(14, 41, 4),                  // a header of no known size
        with(14, 0xFFFFFFF0u, 4),         //
        with(18, 0, 4),                   // no width
        with(18, 0x80000000u, 4),         // a negative width
        with(18, kLargestBitmapSide + 1, 4),
        with(22, 0x80000000u, 4),  // a height that cannot be negated
        with(26, 2, 2),            // planes
        with(28, 7, 2),            // bits per pixel
        with(30, 4, 4),            // JPEG inside
        with(30, 1, 4),            // run-length at 24 bits
        Bitmap(5, -3, 8, 1, 20),   // run-length top-down
        Bitmap(5, 3, 8, 1, 0),     // run-length of no size
        Bitmap(8000, 8000, 32).substr(0, 1000),
    };
    for (const std::string& file : bad)
        EXPECT_FALSE(CheckBitmap(file).Valid) << file.size();
}

// Every bundled picture passes; cut short anywhere, none does.
TEST(CheckBitmap, TheBundledPicturesAndCutsOfThem) {
    int pictures = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(HARIPON_DATA_DIR "/DATA")) {
        if (entry.path().filename() == "face8.bmp" || entry.path().extension() != ".bmp")
            continue;
        const std::string file = ReadFile(entry.path());
        ++pictures;
        EXPECT_TRUE(CheckBitmap(file).Valid) << entry.path();
        for (const std::size_t cut : {std::size_t{30}, std::size_t{54}, std::size_t{1000},
                                      std::size_t{90000}, file.size() - 1}) {
            if (cut < file.size()) {
                EXPECT_FALSE(CheckBitmap(file.substr(0, cut)).Valid) << entry.path() << cut;
            }
        }
    }
    EXPECT_GT(pictures, 100);
}

}  // namespace
}  // namespace haripon
