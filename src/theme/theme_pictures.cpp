#include "theme/theme_pictures.h"

#include "theme/theme_loader.h"

namespace haripon {

void PlaceButton(SpeedButton& button, std::string_view glyph, const ButtonTheme& place) {
    button.LoadGlyph(ThemePath(glyph));
    button.SetBounds(place.Left, place.Top, place.Width, place.Height);
}

}  // namespace haripon
