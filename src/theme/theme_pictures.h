// The theme's pictures put on the window layer's controls. A picture that cannot be loaded
// never ends what its window was doing: it is reported, once, its control is left empty, and
// the rest goes on, so that a careless theme costs a message and never a memo.
#pragma once

#include <string_view>

#include "model/theme_records.h"
#include "platform/win32/controls.h"

namespace haripon {

// The picture named in the theme, in the image as it is placed now.
void ShowThemePicture(Image& image, std::string_view name);

// The button placed as the theme says, then its glyph strip.
void PlaceButton(SpeedButton& button, std::string_view glyph, const ButtonTheme& place);

// A window's background as the theme names it, taken once, at the window's creation, where a
// picture that cannot be loaded is reported; the window then shows none. Its pixels are read
// the first time the window is shown, so that a window that waits hidden costs no memory.
class ThemeBackground {
  public:
    // At the window's creation: the picture checked, and reported if it cannot be loaded.
    void Take(std::string_view name);
    // Each time the window is shown: the picture in the image, unless it failed.
    void ShowIn(Image& image);

  private:
    FileName file_;
    bool failed_ = true;
};

}  // namespace haripon
