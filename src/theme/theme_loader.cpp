#include "theme/theme_loader.h"

#include "model/slot_table.h"
#include "platform/core/file_io.h"
#include "theme/theme_keys.h"

namespace haripon {

FileName ThemePath(std::string_view name) {
    return AppFile(ThemeFolder + std::string(name));
}

ThemeFile::ThemeFile() {
    std::string bytes;
    if (ReadFileBytes(ThemePath(kThemeFile), bytes) == ReadResult::Ok) {
        profile_ = ProfileText(bytes);
    }
}

std::string ThemeFile::Text(std::string_view section, std::string_view key) const {
    return profile_.ReadString(section, key);
}

std::int32_t ThemeFile::Number(std::string_view section, std::string_view key) const {
    return profile_.ReadInteger(section, key);
}

ButtonTheme ThemeFile::Button(std::string_view key) const {
    const std::string base(key);
    return {String(base), Integer(base + "_XPOS"), Integer(base + "_YPOS"), Integer(base + "_XSIZ"),
            Integer(base + "_YSIZ")};
}

EditorLayout LoadTheme() {
    const ThemeFile file;
    EditorLayout layout;
    for (const NamedKey& key : ThemeKeys()) {
        if (key.Key->Keep)
            key.Key->Keep(file, key, layout);
    }
    return layout;
}

}  // namespace haripon
