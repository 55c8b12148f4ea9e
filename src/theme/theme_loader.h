// The theme description file face8.bmp of the active theme, and LoadTheme.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/slot_table.h"
#include "platform/core/file_name.h"
#include "platform/core/profile.h"

namespace haripon {

inline constexpr char kThemeFile[] = "face8.bmp";

// AppFolder + ThemeFolder + a name from the theme, joined as they are: where every file of
// the active theme is found.
FileName ThemePath(std::string_view name);

// A theme description, read once; a missing file reads as all defaults, and so does a key
// it leaves out (the key table's default).
class ThemeFile {
  public:
    // face8.bmp of the active theme, at AppFolder + ThemeFolder.
    ThemeFile();
    explicit ThemeFile(const FileName& file);

    std::string String(std::string_view key) const { return Text("CG", key); }
    std::int32_t Integer(std::string_view key) const { return Number("CG", key); }
    std::string Text(std::string_view section, std::string_view key) const;
    std::int32_t Number(std::string_view section, std::string_view key) const;
    // A button's glyph strip (key) and place (key_XPOS, _YPOS, _XSIZ, _YSIZ) in section CG.
    ButtonTheme Button(std::string_view key) const;

  private:
    ProfileText profile_;
};

// Place and colour of an editor control, as the theme gives them.
struct ControlPlace {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Color = 0;
};

// The editor layout keys, applied to the editor's controls and not kept in ThemeSettings.
struct EditorLayout {
    ControlPlace SelectedMemoTitle;  // SELMEMO_
    ControlPlace MemoTitle;          // MEMOTIT_
    ControlPlace MemoEdit;           // INPMEMOMEMO
    ControlPlace TimerCheck;         // INPMEMOCBOX
    ControlPlace TimeRow;            // INPMEMOSETTIM
};

// A theme as its description gives it: the values the program keeps and the editor layout.
struct LoadedTheme {
    ThemeValues Values;
    EditorLayout Layout;
};

// Reads every key of the description, as the program would take them; keeps nothing.
LoadedTheme ReadTheme(const ThemeFile& file);

// The active theme made the program's (every slot's SlotTheme, ThemeSettings and the small
// face names), and the editor layout returned. Loads no pictures.
EditorLayout LoadTheme();

}  // namespace haripon
