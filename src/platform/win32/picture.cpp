#include "platform/win32/picture.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/core/bitmap_check.h"
#include "platform/core/file_io.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/error_report.h"

namespace haripon {

namespace {

// A device-independent bitmap of the shape's sides, depth and colour table; null when the
// system refuses it. Its pixels are at `bits`.
HBITMAP NewDibSection(const DecodedPicture& shape, void** bits) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = shape.Width;
    info.header.biHeight = -shape.Height;  // rows from the top
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(shape.BitsPerPixel);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(shape.Palette.size());
    std::memcpy(info.colours, shape.Palette.data(), shape.Palette.size() * sizeof(RGBQUAD));
    return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                            bits, nullptr, 0);
}

// Pixels of a colour table in 24 bits. A transparent drawing compares colours, and a colour
// table may hold the left-out colour twice: with the colours themselves nothing is missed.
DecodedPicture TrueColour(DecodedPicture picture) {
    if (picture.BitsPerPixel > 8)
        return picture;
    const int bits = picture.BitsPerPixel;
    const std::size_t inStride = (static_cast<std::size_t>(picture.Width) * bits + 31) / 32 * 4;
    const std::size_t outStride = (static_cast<std::size_t>(picture.Width) * 24 + 31) / 32 * 4;
    std::vector<std::uint8_t> pixels(outStride * static_cast<std::size_t>(picture.Height));
    for (std::int32_t y = 0; y < picture.Height; ++y) {
        const std::uint8_t* row = picture.Pixels.data() + y * inStride;
        for (std::int32_t x = 0; x < picture.Width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            const std::uint32_t colour = picture.Palette[index];  // 0x00RRGGBB
            std::uint8_t* out = pixels.data() + y * outStride + x * 3;
            out[0] = colour & 0xFF;
            out[1] = colour >> 8 & 0xFF;
            out[2] = colour >> 16 & 0xFF;
        }
    }
    picture.Pixels = std::move(pixels);
    picture.Palette.clear();
    picture.BitsPerPixel = 24;
    return picture;
}

}  // namespace

// The file is read and checked first: the system's loader trusts the headers and reads past
// the end of a file cut short, and would make a screen-sized picture of whatever sides a
// file claims. Only the parts chosen are decoded.
PictureParts LoadPictureParts(const FileName& file, const ChooseParts& choose, bool transparent) {
    const std::string shown = ShownFileName(file);
    try {
        // Mapped, not read: the file's bytes are not the program's memory.
        MappedFile bytes;
        if (MapFileBytes(file, bytes) != ReadResult::Ok)
            throw AppError(shown + ": " + LastFileErrorText());
        const BitmapFacts facts = CheckBitmap(bytes.Bytes());
        if (!facts.Valid)
            throw AppError(shown + ": Bitmap image is not valid");
        const SIZE full{facts.Width, facts.Height};
        // The pixels are decoded straight into the bitmap's own memory, but for a transparent
        // picture with a colour table, which is turned into 24 bits first.
        GdiObject<HBITMAP> made;
        bool refused = false;  // by the system, for want of memory
        const auto intoBitmap = [&](const DecodedPicture& shape, std::size_t) {
            void* bits = nullptr;
            made.Reset(NewDibSection(shape, &bits));
            refused = !made;
            return static_cast<std::uint8_t*>(bits);
        };
        const bool viaTable = transparent && facts.BitsPerPixel <= 8;
        std::optional<DecodedPicture> decoded =
            viaTable ? DecodeBitmap(bytes.Bytes(), choose(full))
                     : DecodeBitmap(bytes.Bytes(), choose(full), intoBitmap);
        if (refused)
            ThrowLastError(shown);
        if (!decoded)
            throw AppError(shown + ": Bitmap image is not valid");
        const auto bottomLeft = static_cast<COLORREF>(decoded->BottomLeft);
        if (viaTable && decoded->Width > 0 && decoded->Height > 0) {
            const DecodedPicture colours = TrueColour(std::move(*decoded));
            void* bits = nullptr;
            made.Reset(NewDibSection(colours, &bits));
            if (!made)
                ThrowLastError(shown);
            std::memcpy(bits, colours.Pixels.data(), colours.Pixels.size());
        }
        GdiFlush();
        return {Bitmap(made.Release(), bottomLeft), full};
    } catch (const std::bad_alloc&) {
        throw AppError(shown + ": Not enough memory for the picture");
    }
}

Bitmap LoadBitmapFile(const FileName& file) {
    return LoadPictureParts(
               file,
               [](SIZE full) {
                   return std::vector<PictureRect>{{0, 0, full.cx, full.cy}};
               },
               false)
        .Kept;
}

}  // namespace haripon
