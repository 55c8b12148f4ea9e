// Memo text drawn into pictures: the strips of fixed size that the memo windows and the
// reminder window show, each filled with one colour and written on in the strips' font.
#pragma once

#include <string_view>

#include "platform/win32/gdi.h"

namespace haripon {

// The strips' font, 8 points as at 96 pixels per inch: fixed pitch for the memo labels, as
// their byte budgets assume, and the face's own pitch for the reminder's strips.
HFONT StripFont(bool fixedPitch);

// A strip filled with its background colour, ready for rows of text in the strips' font.
class StripCanvas {
  public:
    StripCanvas(const Bitmap& strip, bool fixedPitch, COLORREF background);
    // Text as typed: no prefix characters, so an ampersand shows as an ampersand.
    void DrawRow(std::string_view row, RECT area) const;

  private:
    MemoryDC dc_;
    SelectedObject font_;
};

// Draws into `over` when it is of the size and nobody else holds it (the picture the text
// replaces), else into a new picture: the first row of the memo (its large or small label's
// bytes) on `color`, 8 points, fixed pitch.
Bitmap RenderMemoLabel(std::string_view memo, bool small, COLORREF color, Bitmap over = {});

}  // namespace haripon
