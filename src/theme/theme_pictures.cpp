#include "theme/theme_pictures.h"

#include "platform/win32/error_report.h"
#include "theme/theme_loader.h"

namespace haripon {

void ShowThemePicture(Image& image, std::string_view name) {
    try {
        image.Load(ThemePath(name));
    } catch (const std::exception& error) {
        image.Clear();
        ShowErrorReport(error.what());
    }
}

void PlaceButton(SpeedButton& button, std::string_view glyph, const ButtonTheme& place) {
    button.SetBounds(place.Left, place.Top, place.Width, place.Height);
    try {
        button.LoadGlyph(ThemePath(glyph));
    } catch (const std::exception& error) {
        button.SetGlyph(Bitmap());
        ShowErrorReport(error.what());
    }
}

}  // namespace haripon
