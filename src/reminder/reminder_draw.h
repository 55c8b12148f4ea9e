// The reminder window's two text strips, drawn into pictures of fixed size.
#pragma once

#include <string_view>

#include "platform/win32/gdi.h"

namespace haripon {

// Each draws into `over` when it is of the size and nobody else holds it (the picture the
// text replaces), else into a new picture.

// A character's line, unfitted, on white.
Bitmap RenderReminderLine(std::string_view line, Bitmap over = {});
// A memo in up to three fitted rows on `color`.
Bitmap RenderReminderMemo(std::string_view memo, COLORREF color, Bitmap over = {});

}  // namespace haripon
