// The active theme read through the key table and made the program's.
#pragma once

#include "theme/theme_keys.h"

namespace haripon {

// Reads every key of the description, as the program would take them; keeps nothing.
LoadedTheme ReadTheme(const ThemeFile& file);

// The active theme made the program's (every slot's SlotTheme, ThemeSettings and the small
// face names), and the editor layout returned. Loads no pictures.
EditorLayout LoadTheme();

}  // namespace haripon
