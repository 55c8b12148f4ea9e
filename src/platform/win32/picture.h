// Pictures from bitmap files.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/core/bitmap_decode.h"
#include "platform/core/file_name.h"
#include "platform/win32/gdi.h"

namespace haripon {

// What is kept of a picture file: the parts chosen once its size is known, side by side;
// its bottom-left colour is the whole picture's.
struct PictureParts {
    Bitmap Kept;
    SIZE Full{};
};
using ChooseParts = std::function<std::vector<PictureRect>(SIZE full)>;

// Loads parts of a Windows bitmap file, at the file's own depth where that is smaller (but a
// picture to be drawn `transparent` never with a colour table). Throws AppError, with the
// file's name, when the file is missing, unreadable, a folder or not a file on disk, too
// large, or not a bitmap the program decodes.
PictureParts LoadPictureParts(const FileName& file, const ChooseParts& choose, bool transparent);

// The whole picture of a bitmap file, as LoadPictureParts.
Bitmap LoadBitmapFile(const FileName& file);

// Throws, as LoadPictureParts would, when the file could not be loaded as a picture now; its
// headers are checked against what it holds, but nothing is decoded.
void CheckPictureFile(const FileName& file);

}  // namespace haripon
