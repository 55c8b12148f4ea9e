// Theme pictures from files.
#pragma once

#include <string_view>

#include "platform/gdi.h"

namespace haripon {

// Loads the Windows bitmap AppFolder + ThemeFolder + name. Throws AppError with the
// system's text when the file is missing or unreadable, or names a folder (an empty name),
// and a text of its own when the file is not a bitmap.
Bitmap LoadThemePicture(std::string_view name);

}  // namespace haripon
