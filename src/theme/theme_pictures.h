// The theme's pictures put on the window layer's controls.
#pragma once

#include <string_view>

#include "model/theme_records.h"
#include "platform/win32/controls.h"

namespace haripon {

// A button's glyph strip from the theme and its place; throws, with the button unchanged,
// when the strip cannot be loaded.
void PlaceButton(SpeedButton& button, std::string_view glyph, const ButtonTheme& place);

}  // namespace haripon
