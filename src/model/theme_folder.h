// The active theme's folder, kept in the settings file's section FOLDER: read by each window
// that shows the theme when it is made, written by the chooser.
#pragma once

#include <string>
#include <string_view>

namespace haripon {

// Key DATFOLDER of section FOLDER; empty when absent or unreadable.
std::string ReadThemeFolder();
// ThemeFolder read again from the file, as each window that shows the theme does at its
// creation.
void RereadThemeFolder();

// Sets key DATFOLDER of section FOLDER, changing nothing else in the file. Throws, with the
// system's text, when the file cannot be read or written; it then stays as it was.
void WriteThemeFolder(std::string_view folder);

}  // namespace haripon
