#include "theme/theme_catalogue.h"

#include <algorithm>
#include <stdexcept>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/file_io.h"
#include "platform/core/sjis.h"

namespace haripon {

namespace {

[[noreturn]] void ThrowFileError(const FileName& file) {
    throw std::runtime_error(ShownFileName(file) + ": " + LastFileErrorText());
}

// Lines ended by CR LF, LF or CR; a last line without an end counts too.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

}  // namespace

bool BuildThemeCatalogue(const NameOrder& order) {
    SetThemeCount(0);
    const FileName catalogue = AppFile(kCatalogueFile);
    if (!WriteFileBytes(catalogue, ""))
        ThrowFileError(catalogue);
    std::vector<std::string> names;
    if (!ListFolders(AppFile(kThemesFolder), names))
        return false;
    // In order, names the order holds equal as the system listed them: each put after
    // those before it that it does not precede (the library's stable sort is kilobytes of
    // code for a list this short).
    for (auto next = names.begin(); next != names.end(); ++next)
        std::rotate(std::upper_bound(names.begin(), next, *next, order), next, next + 1);
    std::string text;
    for (const std::string& name : names)
        text += name + "\r\n";
    if (!WriteFileBytes(catalogue, text))
        ThrowFileError(catalogue);
    SetThemeCount(static_cast<std::int32_t>(names.size()));
    return true;
}

std::vector<std::string> ReadThemeCatalogue() {
    const FileName catalogue = AppFile(kCatalogueFile);
    std::string text;
    if (ReadFileBytes(catalogue, text) != ReadResult::Ok)
        ThrowFileError(catalogue);
    std::vector<std::string> lines = SplitLines(text);
    const auto count = static_cast<std::size_t>(std::max(ThemeCount, 0));
    if (lines.size() < count) {
        throw std::runtime_error(ShownFileName(catalogue) + ": " + kThemeNamesMissingReason + " (" +
                                 std::to_string(lines.size()) + " / " + std::to_string(count) +
                                 ")");
    }
    lines.resize(count);
    return lines;
}

std::string ActiveThemeName(std::string_view themeFolder) {
    constexpr std::size_t kStart = 5;  // after "DATA\"
    constexpr std::size_t kLongest = 255;
    if (themeFolder.size() <= kStart)
        return {};
    const std::string_view name = themeFolder.substr(kStart);
    // A backslash as the trail byte of a double-byte character does not end the name, and
    // the length limit does not split one.
    std::size_t end = 0;
    while (end < name.size() && name[end] != '\\') {
        const std::size_t width = Cp932CharSize(name, end);
        if (end + width > kLongest)
            break;
        end += width;
    }
    return std::string(name.substr(0, end));
}

}  // namespace haripon
