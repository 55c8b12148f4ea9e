// CheckBitmap on any bytes: what it accepts has its headers, colour table and pixel data
// within the bytes and sides of 1..8192, by a reading of the format of its own; and any
// well-formed bitmap built from the input is accepted with its own facts; both decode.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/core/bitmap_check.h"
#include "platform/core/bitmap_decode.h"

namespace haripon {
namespace {

std::uint64_t Field(std::string_view bytes, std::size_t at, int size) {
    FUZZ_CHECK(at + static_cast<std::size_t>(size) <= bytes.size());
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

void CheckAccepted(std::string_view file, const BitmapFacts& facts) {
    FUZZ_CHECK(file.size() >= 14 && file.substr(0, 2) == "BM");
    const std::uint64_t pixelsAt = Field(file, 10, 4);
    const std::uint64_t header = Field(file, 14, 4);
    FUZZ_CHECK(14 + header <= file.size());
    const bool core = header == 12;
    FUZZ_CHECK(core || header >= 40);
    const std::int64_t width = core ? Field(file, 18, 2) : std::int32_t(Field(file, 18, 4));
    const std::int64_t rows = core ? Field(file, 20, 2) : std::int32_t(Field(file, 22, 4));
    const std::uint64_t bits = Field(file, core ? 24 : 28, 2);
    const std::uint64_t compression = core ? 0 : Field(file, 30, 4);
    FUZZ_CHECK(facts.Width == width && facts.Height == std::llabs(rows));
    FUZZ_CHECK(facts.Width >= 1 && facts.Width <= kLargestBitmapSide);
    FUZZ_CHECK(facts.Height >= 1 && facts.Height <= kLargestBitmapSide);
    FUZZ_CHECK(static_cast<std::uint64_t>(facts.BitsPerPixel) == bits);

    std::uint64_t tableEnd = 14 + header;
    if (bits <= 8) {
        std::uint64_t colours = core ? 0 : Field(file, 46, 4);
        if (colours == 0 || colours > (1u << bits))
            colours = 1u << bits;
        tableEnd += colours * (core ? 3 : 4);
    } else if (compression == 3 && header == 40) {
        tableEnd += 12;
    }
    FUZZ_CHECK(tableEnd <= file.size());
    FUZZ_CHECK(pixelsAt >= 14 + header);
    const bool runLength = compression == 1 || compression == 2;
    const std::uint64_t pixels =
        runLength ? Field(file, 34, 4) : RowBytes(facts.Width, bits) * facts.Height;
    FUZZ_CHECK(pixels > 0 && pixelsAt + pixels <= file.size());
}

// Up to three parts of one height, at most 64 pixels a side so that a run stays quick, give
// a picture of their size.
void CheckDecoded(std::string_view file, const BitmapFacts& facts, FuzzedDataProvider& input) {
    const auto height = input.ConsumeIntegralInRange<std::int32_t>(0, std::min(facts.Height, 64));
    std::vector<PictureRect> parts(input.ConsumeIntegralInRange(1, 3));
    std::int64_t width = 0;
    for (PictureRect& part : parts) {
        part.Top = input.ConsumeIntegralInRange(0, facts.Height - height);
        part.Left = input.ConsumeIntegralInRange(0, facts.Width);
        part.Width = input.ConsumeIntegralInRange(0, std::min(facts.Width - part.Left, 64));
        part.Height = height;
        width += part.Width;
    }
    const bool inColours = input.ConsumeBool();
    const std::optional<DecodedPicture> picture = DecodeBitmap(file, parts, {}, inColours);
    const bool kept = Field(file, 14, 4) == 12 || Field(file, 30, 4) == 0;  // uncompressed
    int bits = kept && facts.BitsPerPixel != 16 ? facts.BitsPerPixel : 32;
    if (inColours && bits <= 8)
        bits = 24;
    FUZZ_CHECK(picture && picture->Width == width && picture->Height == height &&
               picture->BitsPerPixel == bits &&
               picture->Pixels.size() == RowBytes(width, bits) * height &&
               picture->Palette.size() == (bits <= 8 ? 1u << bits : 0));
}

void Put(std::string& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i));
}

// A well-formed bitmap of a kind the system decodes, its shape taken from the input.
void CheckBuilt(FuzzedDataProvider& input) {
    static constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};
    static constexpr std::uint32_t kInfoSizes[] = {40, 52, 56, 108, 124};
    const bool core = input.ConsumeBool();
    const int bits = kDepths[input.ConsumeIntegralInRange(0, 5)];
    const auto width = input.ConsumeIntegralInRange<std::int32_t>(1, 40);
    auto rows = input.ConsumeIntegralInRange<std::int32_t>(1, 40);
    std::uint32_t compression = 0;
    if (!core) {
        const int pick = input.ConsumeIntegralInRange(0, 2);
        if (pick == 1 && (bits == 4 || bits == 8))
            compression = bits == 8 ? 1 : 2;
        else if (pick == 2 && (bits == 16 || bits == 32))
            compression = 3;
        if (compression != 1 && compression != 2 && input.ConsumeBool())
            rows = -rows;  // stored top-down
    }
    const std::uint32_t header =
        core ? 12 : kInfoSizes[input.ConsumeIntegralInRange<std::size_t>(0, 4)];
    const std::uint32_t colours =
        bits <= 8 && !core ? input.ConsumeIntegralInRange<std::uint32_t>(0, 1u << bits) : 0;
    std::uint64_t table = 0;
    if (bits <= 8)
        table = (colours == 0 ? (1u << bits) : colours) * (core ? 3 : 4);
    else if (compression == 3 && header == 40)
        table = 12;
    const std::uint32_t gap = input.ConsumeIntegralInRange<std::uint32_t>(0, 3);
    const std::uint32_t runBytes = input.ConsumeIntegralInRange<std::uint32_t>(1, 200);
    const std::uint64_t pixels =
        (compression == 1 || compression == 2)
            ? runBytes
            : RowBytes(width, bits) * static_cast<std::uint64_t>(std::abs(rows));
    const std::uint64_t pixelsAt = 14 + header + table + gap;

    std::string file = "BM";
    Put(file, pixelsAt + pixels, 4);
    Put(file, 0, 4);
    Put(file, pixelsAt, 4);
    Put(file, header, 4);
    if (core) {
        Put(file, width, 2);
        Put(file, rows, 2);
        Put(file, 1, 2);
        Put(file, bits, 2);
    } else {
        Put(file, static_cast<std::uint32_t>(width), 4);
        Put(file, static_cast<std::uint32_t>(rows), 4);
        Put(file, 1, 2);
        Put(file, bits, 2);
        Put(file, compression, 4);
        Put(file, (compression == 1 || compression == 2) ? runBytes : 0, 4);
        Put(file, 2835, 4);
        Put(file, 2835, 4);
        Put(file, colours, 4);
        Put(file, 0, 4);
    }
    file.resize(pixelsAt + pixels + input.ConsumeIntegralInRange(0, 3), '\x5A');

    const BitmapFacts facts = CheckBitmap(file);
    FUZZ_CHECK(facts.Valid);
    FUZZ_CHECK(facts.Width == width && facts.Height == std::abs(rows));
    FUZZ_CHECK(facts.BitsPerPixel == bits);
    CheckAccepted(file, facts);
    CheckDecoded(file, facts, input);
    // One byte short of the pixel data and it is refused.
    file.resize(pixelsAt + pixels - 1);
    FUZZ_CHECK(!CheckBitmap(file).Valid);
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    // The fuzzer's own buffer, so that ASan sees any read past its end.
    const std::string_view file = fuzz::Bytes(data, size);
    const BitmapFacts facts = CheckBitmap(file);
    FuzzedDataProvider input(data, size);
    if (facts.Valid) {
        CheckAccepted(file, facts);
        CheckDecoded(file, facts, input);
    }
    CheckBuilt(input);
    return 0;
}
