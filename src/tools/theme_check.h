// A theme folder checked the way the program will use it: what a theme author needs to fix
// before the program shows the theme.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace haripon {

enum class FindingLevel {
    Error,    // the program would fail or show something broken
    Warning,  // shown, but not wholly as drawn, or a value that has no effect
};

struct ThemeFinding {
    FindingLevel Level = FindingLevel::Error;
    std::string File;  // face8.bmp, or a picture's name as face8.bmp gives it (Shift-JIS)
    std::string Key;   // the key of face8.bmp concerned; empty for face8.bmp as a whole
    std::string Message;
};

// Reads the theme in `folder` with the program's own loader (names in face8.bmp are relative
// to the folder) and checks every key, picture and line. Changes nothing of the program's
// state.
std::vector<ThemeFinding> CheckTheme(const std::filesystem::path& folder);

// "error: face8.bmp: KEY: message" or "warning: name.bmp (KEY): message".
std::string FormatFinding(const ThemeFinding& finding);

bool HasErrors(const std::vector<ThemeFinding>& findings);

// Checks `folder` and writes every finding and a closing count to `out`; returns the exit
// status: 1 when there is an error, else 0.
int ThemeCheckReport(const std::filesystem::path& folder, std::ostream& out);

}  // namespace haripon
