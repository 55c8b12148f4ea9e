#include "platform/picture.h"

#include <string>

#include "platform/error_report.h"
#include "platform/handles.h"
#include "platform/win_text.h"

namespace haripon {

Bitmap LoadBitmapFile(const std::filesystem::path& file) {
    const std::wstring& path = file.native();
    const std::string shown = SjisFromWide(path);

    // The system's own text for a file that cannot be opened; LoadImage would only fail.
    if (!KernelHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
             .Valid()) {
        ThrowLastError(shown);
    }
    const auto handle = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!handle)
        throw AppError(shown + ": Bitmap image is not valid");
    return Bitmap(handle);
}

}  // namespace haripon
