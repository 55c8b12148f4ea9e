#include "platform/picture.h"

#include <string>

#include "platform/bitmap_check.h"
#include "platform/error_report.h"
#include "platform/file_io.h"
#include "platform/win_text.h"

namespace haripon {

// The file is read and checked first: the system's loader trusts the headers and reads
// past the end of a file cut short.
Bitmap LoadBitmapFile(const FileName& file) {
    const std::string shown = SjisFromWide(file);
    std::string bytes;
    if (ReadFileBytes(file, bytes) != ReadResult::Ok)
        ThrowLastError(shown);
    const auto handle =
        CheckBitmap(bytes).Valid
            ? static_cast<HBITMAP>(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION))
            : nullptr;
    if (!handle)
        throw AppError(shown + ": Bitmap image is not valid");
    return Bitmap(handle);
}

}  // namespace haripon
