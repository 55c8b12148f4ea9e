// The settings file timpsd.ini beside the executable: the seven memo slots, the version
// text and the folder of the active theme.
#pragma once

#include <string>
#include <string_view>

namespace haripon {

inline constexpr char kSettingsFile[] = "timpsd.ini";

// Fills the stored fields of all seven slots from section POST and sets VersionText.
// False when the file exists but could not be read; the slots then keep their values.
bool ReadSettings();

// Writes all seven slots and the version text. False when the file could not be written;
// the old file then stays as it was. A run that never read the stored memos leaves them
// alone, and reports a failure only if it holds memos of its own that are not saved.
bool WriteSettings();

// A run that has not read the file yet: until it does, a save leaves the stored memos alone.
void ForgetSettingsFile();

// Key DATFOLDER of section FOLDER; empty when absent or unreadable.
std::string ReadThemeFolder();
// ThemeFolder read again from the file, as each window that shows the theme does at its
// creation.
void RereadThemeFolder();

// Sets key DATFOLDER of section FOLDER, changing nothing else in the file. Throws, with the
// system's text, when the file cannot be read or written; it then stays as it was.
void WriteThemeFolder(std::string_view folder);

}  // namespace haripon
