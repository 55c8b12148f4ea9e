#include "platform/win32/picture.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/core/bitmap_check.h"
#include "platform/core/file_io.h"
#include "platform/core/reasons.h"
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

// The file mapped and its headers checked against what it holds; throws, with the file's
// name, when it cannot be loaded.
BitmapFacts MapCheckedBitmap(const FileName& file, const std::string& shown, MappedFile& bytes) {
    if (MapFileBytes(file, bytes) != ReadResult::Ok)
        throw AppError(shown + ": " + LastFileErrorText());
    const BitmapFacts facts = CheckBitmap(bytes.Bytes());
    if (!facts.Valid)
        throw AppError(shown + ": " + Reasons().BitmapNotValid);
    return facts;
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
        const BitmapFacts facts = MapCheckedBitmap(file, shown, bytes);
        const SIZE full{facts.Width, facts.Height};
        // The pixels are decoded straight into the bitmap's own memory.
        GdiObject<HBITMAP> made;
        bool refused = false;  // by the system, for want of memory
        const auto intoBitmap = [&](const DecodedPicture& shape, std::size_t) {
            void* bits = nullptr;
            made.Reset(NewDibSection(shape, &bits));
            refused = !made;
            return static_cast<std::uint8_t*>(bits);
        };
        const std::optional<DecodedPicture> decoded =
            DecodeBitmap(bytes.Bytes(), choose(full), intoBitmap, transparent);
        if (refused)
            ThrowLastError(shown);
        if (!decoded)
            throw AppError(shown + ": " + Reasons().BitmapNotValid);
        GdiFlush();
        return {Bitmap(made.Release(), static_cast<COLORREF>(decoded->BottomLeft)), full};
    } catch (const std::bad_alloc&) {
        throw AppError(shown + ": " + Reasons().NoMemoryForPicture);
    }
}

void CheckPictureFile(const FileName& file) {
    MappedFile bytes;
    MapCheckedBitmap(file, ShownFileName(file), bytes);
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
