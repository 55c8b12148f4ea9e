// Pictures from bitmap files.
#pragma once

#include "platform/core/file_name.h"
#include "platform/win32/gdi.h"

namespace haripon {

// Loads a Windows bitmap file. Throws AppError with the system's text when the file is
// missing or unreadable or is a folder, and a text of its own when it is not a bitmap.
Bitmap LoadBitmapFile(const FileName& file);

}  // namespace haripon
