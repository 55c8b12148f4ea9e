// Memo text drawn into pictures: the label strip of a desktop memo window and the two text
// strips of the reminder window.
#pragma once

#include <string_view>

#include "platform/win32/gdi.h"

namespace haripon {

inline constexpr int kLargeLabelWidth = 386;
inline constexpr int kSmallLabelWidth = 186;
inline constexpr int kLabelHeight = 12;

// The strips' font, 8 points as at 96 pixels per inch: fixed pitch for the memo labels, as
// their byte budgets assume, and the face's own pitch for the reminder's strips.
HFONT StripFont(bool fixedPitch);

// Each draws into `over` when it is of the size and nobody else holds it (the picture the
// text replaces), else into a new picture.

// The first row of the memo (60 bytes large, 30 small) on `color`, 8 points, fixed pitch.
Bitmap RenderMemoLabel(std::string_view memo, bool small, COLORREF color, Bitmap over = {});
// A character's line, unfitted, on white: 177 x 17.
Bitmap RenderReminderLine(std::string_view line, Bitmap over = {});
// A memo in up to three rows of 168 width units on `color`: 177 x 57.
Bitmap RenderReminderMemo(std::string_view memo, COLORREF color, Bitmap over = {});

}  // namespace haripon
