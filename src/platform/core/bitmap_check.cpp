#include "platform/core/bitmap_check.h"

#include "platform/core/bitmap_format.h"

namespace haripon {

namespace {

using namespace bitmap_format;

bool KnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

bool KnownDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool KnownCompression(std::uint32_t compression, int bits, bool topDown) {
    switch (compression) {
        case kRgb:
            return true;
        case kRle8:
            return bits == 8 && !topDown;
        case kRle4:
            return bits == 4 && !topDown;
        case kBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

}  // namespace

BitmapFacts CheckBitmap(std::string_view file) {
    BitmapFacts facts;
    if (file.size() < kFileHeaderSize + kCoreHeaderSize || file.substr(0, 2) != "BM")
        return facts;
    const std::uint64_t pixelsAt = Read32(file, 10);
    const std::uint32_t headerSize = Read32(file, kFileHeaderSize);
    if (!KnownHeaderSize(headerSize) || kFileHeaderSize + headerSize > file.size())
        return facts;

    const bool core = headerSize == kCoreHeaderSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t imageSize = 0;
    std::uint64_t colours = 0;
    const std::size_t at = kFileHeaderSize + 4;
    if (core) {
        width = Read16(file, at);
        height = Read16(file, at + 2);
        planes = Read16(file, at + 4);
        facts.BitsPerPixel = static_cast<int>(Read16(file, at + 6));
    } else {
        width = static_cast<std::int32_t>(Read32(file, at));
        height = static_cast<std::int32_t>(Read32(file, at + 4));
        planes = Read16(file, at + 8);
        facts.BitsPerPixel = static_cast<int>(Read16(file, at + 10));
        compression = Read32(file, at + 12);
        imageSize = Read32(file, at + 16);
        colours = Read32(file, at + 28);
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (planes != 1 || !KnownDepth(facts.BitsPerPixel) ||
        !KnownCompression(compression, facts.BitsPerPixel, topDown) || width < 1 || height < 1 ||
        width > kLargestBitmapSide || height > kLargestBitmapSide) {
        return facts;
    }

    // The colour table, or the three masks of bit fields after a plain information header.
    std::uint64_t tableEnd = kFileHeaderSize + headerSize;
    if (facts.BitsPerPixel <= 8) {
        const std::uint64_t most = std::uint64_t{1} << facts.BitsPerPixel;
        if (colours == 0 || colours > most)
            colours = most;
        tableEnd += colours * (core ? 3 : 4);
    } else if (compression == kBitFields && headerSize == kInfoHeaderSize) {
        tableEnd += 12;
    }
    if (tableEnd > file.size() || pixelsAt < kFileHeaderSize + headerSize ||
        pixelsAt > file.size()) {
        return facts;
    }

    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(width) * facts.BitsPerPixel + 31) / 32 * 4;
    const std::uint64_t pixelBytes = (compression == kRle8 || compression == kRle4)
                                         ? imageSize
                                         : rowBytes * static_cast<std::uint64_t>(height);
    if (pixelBytes == 0 || pixelsAt + pixelBytes > file.size())
        return facts;

    facts.Width = static_cast<std::int32_t>(width);
    facts.Height = static_cast<std::int32_t>(height);
    facts.Valid = true;
    return facts;
}

}  // namespace haripon
