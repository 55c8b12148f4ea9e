// The theme catalogue DATA\CG.LST: the names of the theme folders under DATA\, one per
// line, made anew at every start and read by the theme chooser.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace haripon {

inline constexpr char kCatalogueFile[] = "DATA\\CG.LST";
inline constexpr char kThemesFolder[] = "DATA\\";

// True when the first name sorts before the second.
using NameOrder = std::function<bool(std::string_view, std::string_view)>;

// Lists the folders of AppFolder + DATA\ (nothing looked for inside them), sorts them by
// `order` and writes them to the catalogue in Shift-JIS, each line ended by CR LF; sets
// ThemeCount to the number written. False when DATA\ cannot be searched: the catalogue is
// then empty. Throws, with the system's text, when the catalogue cannot be written.
bool BuildThemeCatalogue(const NameOrder& order);

// The first ThemeCount names of the catalogue, in its order. Throws, with the system's
// text, when it cannot be read, and when it holds fewer names.
std::vector<std::string> ReadThemeCatalogue();

// The name of the active theme as the chooser shows it: ThemeFolder from its sixth
// character up to the next backslash, at most 255 characters; empty for a shorter value.
std::string ActiveThemeName(std::string_view themeFolder);

}  // namespace haripon
