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

}  // namespace haripon
