#include "platform/core/bitmap_decode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "platform/core/bitmap_check.h"
#include "platform/core/bitmap_format.h"

namespace haripon {

namespace {

using namespace bitmap_format;

// The fields of an information header, counted from just after its size.
constexpr std::size_t kInfoAt = kFileHeaderSize + 4;
// More than any window shows, and more than a 32-bit build of the program can allocate.
constexpr std::uint64_t kLargestOutput = std::numeric_limits<std::int32_t>::max();

// What the decoding needs of a file that CheckBitmap has accepted.
struct FileLayout {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    int Bits = 0;
    std::uint32_t Compression = kRgb;
    bool TopDown = false;
    std::size_t RowBytes = 0;
    std::string_view Pixels;  // the rows, or the run-length stream
};

// A channel of 16-bit pixels or bit fields, and how to widen it to eight bits.
struct Channel {
    std::uint32_t Mask = 0;
    unsigned Shift = 0;
    unsigned Bits = 0;
};

struct Decoder {
    FileLayout Layout;
    bool InColours = false;              // a colour table's pixels as 24 bits of its colours
    std::vector<std::uint32_t> Palette;  // 1 to 8 bits, an entry for every index
    std::array<Channel, 3> Channels{};   // red, green, blue
};

// Where a part's pixels go: its rows start at Out, Stride bytes apart, from column X.
struct Target {
    PictureRect Part;
    std::uint8_t* Out = nullptr;
    std::size_t Stride = 0;
    std::int64_t X = 0;
};

unsigned Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t ReadLittle(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

std::uint64_t RowBytes(std::uint64_t width, int bits) {
    return (width * static_cast<unsigned>(bits) + 31) / 32 * 4;
}

bool RunLength(const FileLayout& layout) {
    return layout.Compression == kRle8 || layout.Compression == kRle4;
}

// What the system shows as it is keeps its depth (a colour table's pixels become 24 bits
// when asked); the rest becomes 32 bits, so that the consumer needs no masks and no
// run-length decoder.
int OutputBits(const Decoder& decoder) {
    const FileLayout& layout = decoder.Layout;
    if (layout.Compression != kRgb || layout.Bits == 16)
        return 32;
    return layout.Bits <= 8 && decoder.InColours ? 24 : layout.Bits;
}

FileLayout ReadLayout(std::string_view file, const BitmapFacts& facts) {
    FileLayout layout;
    layout.Width = facts.Width;
    layout.Height = facts.Height;
    layout.Bits = facts.BitsPerPixel;
    if (Read32(file, kFileHeaderSize) != kCoreHeaderSize) {
        layout.TopDown = static_cast<std::int32_t>(Read32(file, kInfoAt + 4)) < 0;
        layout.Compression = Read32(file, kInfoAt + 12);
    }
    layout.RowBytes = static_cast<std::size_t>(RowBytes(facts.Width, facts.BitsPerPixel));
    const std::size_t bytes =
        RunLength(layout) ? Read32(file, kInfoAt + 16) : layout.RowBytes * facts.Height;
    layout.Pixels = file.substr(Read32(file, 10), bytes);
    return layout;
}

// The colour table as 0x00RRGGBB, filled up with black to every index the depth allows, so
// that no pixel can point past it.
std::vector<std::uint32_t> ReadPalette(std::string_view file, int bits) {
    const std::uint32_t header = Read32(file, kFileHeaderSize);
    const bool core = header == kCoreHeaderSize;
    const std::size_t most = std::size_t{1} << bits;
    std::size_t colours = core ? 0 : Read32(file, kInfoAt + 28);
    if (colours == 0 || colours > most)
        colours = most;
    std::vector<std::uint32_t> palette(most);
    for (std::size_t i = 0; i < colours; ++i) {
        // Blue, green, red, and in the newer headers a reserved byte left out.
        const std::size_t at = kFileHeaderSize + header + i * (core ? 3 : 4);
        palette[i] = Read16(file, at) | Byte(file, at + 2) << 16;
    }
    return palette;
}

Channel ChannelOf(std::uint32_t mask) {
    Channel channel{mask};
    if (mask == 0)
        return channel;
    while ((mask >> channel.Shift & 1) == 0)
        ++channel.Shift;
    unsigned top = 31;
    while ((mask >> top & 1) == 0)
        --top;
    channel.Bits = top + 1 - channel.Shift;
    return channel;
}

// Fewer than eight bits are repeated downwards so that their largest value is full
// intensity (five bits v: v << 3 | v >> 2); more lose their lowest.
std::uint8_t Widen(std::uint32_t pixel, const Channel& channel) {
    if (channel.Bits == 0)
        return 0;
    const std::uint32_t value = (pixel & channel.Mask) >> channel.Shift;
    if (channel.Bits >= 8)
        return static_cast<std::uint8_t>(value >> (channel.Bits - 8));
    std::uint32_t wide = 0;
    unsigned filled = 0;
    for (; filled < 8; filled += channel.Bits)
        wide = wide << channel.Bits | value;
    return static_cast<std::uint8_t>(wide >> (filled - 8));
}

std::array<Channel, 3> ReadChannels(std::string_view file, const FileLayout& layout) {
    if (layout.Compression != kBitFields)
        return {ChannelOf(0x7C00), ChannelOf(0x03E0), ChannelOf(0x001F)};
    // After a plain information header or within a longer one, the masks are at one place.
    const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
    return {ChannelOf(Read32(file, at)), ChannelOf(Read32(file, at + 4)),
            ChannelOf(Read32(file, at + 8))};
}

Decoder ReadDecoder(std::string_view file, const BitmapFacts& facts) {
    Decoder decoder;
    decoder.Layout = ReadLayout(file, facts);
    if (facts.BitsPerPixel <= 8)
        decoder.Palette = ReadPalette(file, facts.BitsPerPixel);
    else if (facts.BitsPerPixel == 16 || decoder.Layout.Compression == kBitFields)
        decoder.Channels = ReadChannels(file, decoder.Layout);
    return decoder;
}

// The stored row of the picture's row y from the top.
const std::uint8_t* Row(const FileLayout& layout, std::int64_t y) {
    const std::int64_t stored = layout.TopDown ? y : layout.Height - 1 - y;
    return reinterpret_cast<const std::uint8_t*>(layout.Pixels.data()) +
           static_cast<std::size_t>(stored) * layout.RowBytes;
}

unsigned IndexAt(const std::uint8_t* row, std::int64_t x, int bits) {
    const std::int64_t bit = x * bits;
    return row[bit / 8] >> (8 - bits - bit % 8) & ((1u << bits) - 1);
}

// Into a row that is still zero.
void PutIndex(std::uint8_t* row, std::int64_t x, int bits, unsigned index) {
    const std::int64_t bit = x * bits;
    row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
}

// 1, 4, 8 or 24 bits as they are: whole bytes when both sides start on a byte, the pixels
// of 1 and 4 bits repacked one by one where they do not.
void CopyPixels(const std::uint8_t* from, const Target& target, std::uint8_t* to, int bits) {
    const PictureRect& part = target.Part;
    std::int64_t done = 0;
    if (part.Left * bits % 8 == 0 && target.X * bits % 8 == 0) {
        done = std::int64_t{part.Width} * bits / 8 * 8 / bits;
        std::memcpy(to + target.X * bits / 8, from + part.Left * bits / 8,
                    static_cast<std::size_t>(done * bits / 8));
    }
    for (std::int64_t i = done; i < part.Width; ++i)
        PutIndex(to, target.X + i, bits, IndexAt(from, part.Left + i, bits));
}

// The fourth byte is reserved, yet some files fill it; left in, it would pass for alpha.
void CopyWithoutFourth(const std::uint8_t* from, const Target& target, std::uint8_t* to) {
    for (std::int64_t i = 0; i < target.Part.Width; ++i)
        std::memcpy(to + (target.X + i) * 4, from + (target.Part.Left + i) * 4, 3);
}

void ConvertFields(const std::uint8_t* from, const Target& target, std::uint8_t* to,
                   const Decoder& decoder) {
    const int bytes = decoder.Layout.Bits / 8;
    for (std::int64_t i = 0; i < target.Part.Width; ++i) {
        const std::uint32_t pixel = ReadLittle(from + (target.Part.Left + i) * bytes, bytes);
        std::uint8_t* out = to + (target.X + i) * 4;
        out[0] = Widen(pixel, decoder.Channels[2]);
        out[1] = Widen(pixel, decoder.Channels[1]);
        out[2] = Widen(pixel, decoder.Channels[0]);
    }
}

void PutColour(std::uint8_t* out, std::uint32_t colour) {
    out[0] = static_cast<std::uint8_t>(colour);
    out[1] = static_cast<std::uint8_t>(colour >> 8);
    out[2] = static_cast<std::uint8_t>(colour >> 16);
}

void ConvertIndexes(const std::uint8_t* from, const Target& target, std::uint8_t* to,
                    const Decoder& decoder) {
    for (std::int64_t i = 0; i < target.Part.Width; ++i) {
        const unsigned index = IndexAt(from, target.Part.Left + i, decoder.Layout.Bits);
        PutColour(to + (target.X + i) * 3, decoder.Palette[index]);
    }
}

// Reads only the part's rows, and of them only its bytes.
void CopyPart(const Decoder& decoder, const Target& target) {
    const FileLayout& layout = decoder.Layout;
    const int bits = OutputBits(decoder);
    for (std::int32_t y = 0; y < target.Part.Height; ++y) {
        const std::uint8_t* from = Row(layout, std::int64_t{target.Part.Top} + y);
        std::uint8_t* to = target.Out + static_cast<std::size_t>(y) * target.Stride;
        if (layout.Bits <= 8 && bits == 24)
            ConvertIndexes(from, target, to, decoder);
        else if (bits != 32)
            CopyPixels(from, target, to, layout.Bits);
        else if (layout.Compression == kRgb && layout.Bits == 32)
            CopyWithoutFourth(from, target, to);
        else
            ConvertFields(from, target, to, decoder);
    }
}

// A run of `count` pixels from column x of stored row `row`, clipped to each part, so that
// a run no part shows costs nothing however long; indexAt(i) is the run's i-th index.
template <typename IndexOf>
void PaintRun(const Decoder& decoder, const std::vector<Target>& targets, std::int64_t x,
              std::int64_t row, std::int64_t count, IndexOf indexAt) {
    const std::int64_t y = decoder.Layout.Height - 1 - row;
    for (const Target& target : targets) {
        const PictureRect& part = target.Part;
        if (y < part.Top || y >= std::int64_t{part.Top} + part.Height)
            continue;
        std::uint8_t* out = target.Out + static_cast<std::size_t>(y - part.Top) * target.Stride;
        const std::int64_t end = std::min<std::int64_t>(x + count, part.Left + part.Width);
        for (std::int64_t i = std::max<std::int64_t>(x, part.Left); i < end; ++i)
            PutColour(out + (target.X + i - part.Left) * 4, decoder.Palette[indexAt(i - x)]);
    }
}

unsigned Nibble(unsigned byte, std::int64_t i) {
    return i % 2 ? byte & 15 : byte >> 4;
}

// An absolute run of `count` indexes at `at`, padded to a whole word; returns the bytes it
// takes. Cut short by the end of the data, it paints the indexes there are.
std::size_t PaintAbsolute(const Decoder& decoder, const std::vector<Target>& targets,
                          std::int64_t x, std::int64_t row, unsigned count, std::size_t at) {
    const bool four = decoder.Layout.Compression == kRle4;
    const std::size_t bytes = four ? (count + 1) / 2 : count;
    const std::string_view run = decoder.Layout.Pixels.substr(at, bytes);
    const std::int64_t there = std::min<std::int64_t>(count, run.size() * (four ? 2 : 1));
    PaintRun(decoder, targets, x, row, there,
             [&](std::int64_t i) { return four ? Nibble(Byte(run, i / 2), i) : Byte(run, i); });
    return bytes + bytes % 2;
}

// The last stored row a part shows: the stream, which starts at the bottom, is read no
// further.
std::int64_t LastRowShown(const FileLayout& layout, const std::vector<Target>& targets) {
    std::int64_t last = -1;
    for (const Target& target : targets) {
        if (target.Part.Height > 0)
            last = std::max<std::int64_t>(last, layout.Height - 1 - target.Part.Top);
    }
    return last;
}

// Runs past the end of a row are cut there rather than carried to the next; the pixels the
// stream skips with a delta or an end of line, or never reaches, stay black.
void DecodeRunLength(const Decoder& decoder, const std::vector<Target>& targets) {
    const std::string_view data = decoder.Layout.Pixels;
    const bool four = decoder.Layout.Compression == kRle4;
    const std::int64_t lastRow = LastRowShown(decoder.Layout, targets);
    std::int64_t x = 0;
    std::int64_t row = 0;
    std::size_t at = 0;
    while (at + 2 <= data.size() && row <= lastRow) {
        const unsigned count = Byte(data, at);
        const unsigned value = Byte(data, at + 1);
        at += 2;
        if (count > 0) {
            PaintRun(decoder, targets, x, row, count,
                     [&](std::int64_t i) { return four ? Nibble(value, i) : value; });
            x += count;
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (at + 2 > data.size())
                return;
            x += Byte(data, at);
            row += Byte(data, at + 1);
            at += 2;
        } else {
            at += PaintAbsolute(decoder, targets, x, row, value, at);
            x += value;
        }
    }
}

void Decode(const Decoder& decoder, const std::vector<Target>& targets) {
    if (RunLength(decoder.Layout)) {
        DecodeRunLength(decoder, targets);
        return;
    }
    for (const Target& target : targets)
        CopyPart(decoder, target);
}

// A pixel of the output's kind as 0x00BBGGRR.
std::uint32_t ColourOf(const std::array<std::uint8_t, 4>& pixel, const Decoder& decoder) {
    if (OutputBits(decoder) <= 8) {
        const std::uint32_t colour = decoder.Palette[IndexAt(pixel.data(), 0, decoder.Layout.Bits)];
        return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }
    return pixel[2] | pixel[1] << 8 | pixel[0] << 16;
}

bool Within(const PictureRect& part, const BitmapFacts& facts) {
    return part.Left >= 0 && part.Top >= 0 && part.Width >= 0 && part.Height >= 0 &&
           std::int64_t{part.Left} + part.Width <= facts.Width &&
           std::int64_t{part.Top} + part.Height <= facts.Height;
}

bool Fit(const std::vector<PictureRect>& parts, const BitmapFacts& facts) {
    return std::all_of(parts.begin(), parts.end(), [&](const PictureRect& part) {
        return Within(part, facts) && part.Height == parts.front().Height;
    });
}

// The output of the parts side by side, zero, and where each part goes in it; false when it
// would be larger than a bitmap can be.
bool PlaceParts(const std::vector<PictureRect>& parts, DecodedPicture& picture,
                std::vector<Target>& targets, const PixelMemory& into) {
    std::int64_t width = 0;
    for (const PictureRect& part : parts)
        width += part.Width;
    picture.Height = parts.empty() ? 0 : parts.front().Height;
    const std::uint64_t stride = RowBytes(static_cast<std::uint64_t>(width), picture.BitsPerPixel);
    if (width > std::numeric_limits<std::int32_t>::max() ||
        stride * static_cast<std::uint64_t>(picture.Height) > kLargestOutput) {
        return false;
    }
    picture.Width = static_cast<std::int32_t>(width);
    const std::size_t bytes = static_cast<std::size_t>(stride) * picture.Height;
    std::uint8_t* pixels = nullptr;
    if (into) {
        pixels = bytes > 0 ? into(picture, bytes) : nullptr;
        if (bytes > 0 && !pixels)
            return false;
        std::fill_n(pixels, bytes, std::uint8_t{0});
    } else {
        picture.Pixels.resize(bytes);
        pixels = picture.Pixels.data();
    }
    std::int64_t x = 0;
    for (const PictureRect& part : parts) {
        // A part of no width has nowhere to go, and the output may have no bytes at all.
        if (part.Width > 0)
            targets.push_back({part, pixels, static_cast<std::size_t>(stride), x});
        x += part.Width;
    }
    return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeBitmap(std::string_view file,
                                           const std::vector<PictureRect>& parts,
                                           const PixelMemory& into, bool inColours) {
    const BitmapFacts facts = CheckBitmap(file);
    if (!facts.Valid || !Fit(parts, facts))
        return std::nullopt;
    Decoder decoder = ReadDecoder(file, facts);
    decoder.InColours = inColours;
    DecodedPicture picture;
    picture.BitsPerPixel = OutputBits(decoder);
    if (picture.BitsPerPixel <= 8)
        picture.Palette = decoder.Palette;
    std::vector<Target> targets;
    if (!PlaceParts(parts, picture, targets, into))
        return std::nullopt;
    // The bottom-left pixel goes as a part of its own, so that every kind of file gives it as
    // it gives the parts, and a run-length stream is read once.
    std::array<std::uint8_t, 4> corner{};
    targets.push_back({{0, facts.Height - 1, 1, 1}, corner.data(), 4, 0});
    Decode(decoder, targets);
    picture.BottomLeft = ColourOf(corner, decoder);
    return picture;
}

}  // namespace haripon
