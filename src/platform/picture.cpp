#include "platform/picture.h"

#include <string>

#include "model/slot_table.h"
#include "platform/app_path.h"
#include "platform/error_report.h"
#include "platform/win_text.h"

namespace haripon {

Bitmap LoadThemePicture(std::string_view name) {
    const std::string relative = ThemeFolder + std::string(name);
    const std::wstring path = AppFile(relative).wstring();
    const std::string shown = SjisFromWide(path);

    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ThrowLastError(shown);
    CloseHandle(file);

    const auto handle = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!handle)
        throw AppError(shown + ": Bitmap image is not valid");
    return Bitmap(handle);
}

}  // namespace haripon
