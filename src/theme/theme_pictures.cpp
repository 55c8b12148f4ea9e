#include "theme/theme_pictures.h"

#include "platform/win32/error_report.h"
#include "platform/win32/picture.h"
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

void ThemeBackground::Take(std::string_view name) {
    file_ = ThemePath(name);
    failed_ = false;
    try {
        CheckPictureFile(file_);
    } catch (const std::exception& error) {
        failed_ = true;
        ShowErrorReport(error.what());
    }
}

// A file changed since the window's creation is reported once more, when it is first shown.
void ThemeBackground::ShowIn(Image& image) {
    if (failed_)
        return;
    try {
        image.Load(file_);
    } catch (const std::exception& error) {
        failed_ = true;
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
