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

// A device-independent bitmap of the decoded pixels, of their depth and colour table.
Bitmap DibSection(const DecodedPicture& decoded, const std::string& shown) {
    if (decoded.Width == 0 || decoded.Height == 0)
        return {};
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = decoded.Width;
    info.header.biHeight = -decoded.Height;  // rows from the top
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(decoded.BitsPerPixel);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(decoded.Palette.size());
    std::memcpy(info.colours, decoded.Palette.data(), decoded.Palette.size() * sizeof(RGBQUAD));
    void* bits = nullptr;
    const HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                            DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle)
        ThrowLastError(shown);
    std::memcpy(bits, decoded.Pixels.data(), decoded.Pixels.size());
    GdiFlush();
    return Bitmap(handle, static_cast<COLORREF>(decoded.BottomLeft));
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
        std::string bytes;
        if (ReadFileBytes(file, bytes) != ReadResult::Ok)
            throw AppError(shown + ": " + LastFileErrorText());
        const BitmapFacts facts = CheckBitmap(bytes);
        const SIZE full{facts.Width, facts.Height};
        const std::optional<DecodedPicture> decoded =
            facts.Valid ? DecodeBitmap(bytes, choose(full)) : std::nullopt;
        if (!decoded)
            throw AppError(shown + ": Bitmap image is not valid");
        return {DibSection(transparent ? TrueColour(*decoded) : *decoded, shown), full};
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
