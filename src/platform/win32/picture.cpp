#include "platform/win32/picture.h"

#include <cstdint>
#include <string>

#include "platform/core/bitmap_check.h"
#include "platform/win32/error_report.h"
#include "platform/core/file_io.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

// A picture for the screen from the bytes of a checked bitmap file: its headers, colour table
// and pixels lie within them.
HBITMAP ScreenBitmap(const std::string& file) {
    constexpr std::size_t kFileHeaderSize = 14;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + kFileHeaderSize);
    const auto pixelsAt = *reinterpret_cast<const std::uint32_t*>(file.data() + 10);
    const WindowDC screen;
    return CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT, file.data() + pixelsAt, info,
                          DIB_RGB_COLORS);
}

}  // namespace

// The file is read and checked first: the system's loader trusts the headers and reads
// past the end of a file cut short. It is read once, and the picture made from its bytes.
Bitmap LoadBitmapFile(const FileName& file) {
    const std::string shown = SjisFromWide(file);
    std::string bytes;
    if (ReadFileBytes(file, bytes) != ReadResult::Ok)
        ThrowLastError(shown);
    const HBITMAP handle = CheckBitmap(bytes).Valid ? ScreenBitmap(bytes) : nullptr;
    if (!handle)
        throw AppError(shown + ": Bitmap image is not valid");
    return Bitmap(handle);
}

}  // namespace haripon
