#include "theme/theme_loader.h"

#include "platform/core/file_io.h"
#include "theme/theme_keys.h"

namespace haripon {

FileName ThemePath(std::string_view name) {
    return AppFile(ThemeFolder + std::string(name));
}

ThemeFile::ThemeFile() : ThemeFile(ThemePath(kThemeFile)) {}

ThemeFile::ThemeFile(const FileName& file) {
    std::string bytes;
    if (ReadFileBytes(file, bytes) == ReadResult::Ok)
        profile_ = ProfileText(bytes);
}

std::string ThemeFile::Text(std::string_view section, std::string_view key) const {
    if (auto value = profile_.Find(section, key))
        return std::move(*value);
    return std::string(KeyDefault(section, key));
}

std::int32_t ThemeFile::Number(std::string_view section, std::string_view key) const {
    if (const auto value = profile_.Find(section, key))
        return ParseProfileInt(*value, 0);
    return ParseProfileInt(KeyDefault(section, key), 0);
}

ButtonTheme ThemeFile::Button(std::string_view key) const {
    const std::string base(key);
    return {String(base), Integer(base + "_XPOS"), Integer(base + "_YPOS"), Integer(base + "_XSIZ"),
            Integer(base + "_YSIZ")};
}

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
