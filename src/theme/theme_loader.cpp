#include "theme/theme_loader.h"

namespace haripon {

LoadedTheme ReadTheme(const ThemeFile& file) {
    LoadedTheme theme;
    for (const NamedKey& key : ThemeKeys()) {
        if (key.Key->Keep)
            key.Key->Keep(file, key, theme);
    }
    return theme;
}

EditorLayout LoadTheme() {
    const LoadedTheme theme = ReadTheme(ThemeFile());
    UseTheme(theme.Values);
    return theme.Layout;
}

}  // namespace haripon
