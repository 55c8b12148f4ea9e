// BuildThemeCatalogue on any folder names: the catalogue holds exactly the folders whose
// names are Shift-JIS, sorted, each line ended by CR LF, and reads back as written.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/slot_table.h"
#include "temp_folder.h"
#include "theme/theme_catalogue.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;

const testing_support::TempFolder& Folder() {
    static const testing_support::TempFolder folder("fuzz-catalogue");
    return folder;
}

bool CaselessLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        return static_cast<unsigned char>(fold(x)) < static_cast<unsigned char>(fold(y));
    });
}

// Code page 932 by its byte table: single bytes 0x00..0x7F and 0xA1..0xDF; 0x81..0x9F and
// 0xE0..0xFC lead a pair whose second byte is 0x40..0x7E or 0x80..0xFC.
bool ShiftJisName(std::string_view name) {
    bool wantTrail = false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (wantTrail) {
            if (!((byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC)))
                return false;
            wantTrail = false;
        } else if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            wantTrail = true;
        } else if (!(byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF))) {
            return false;
        }
    }
    return !wantTrail;
}

bool IsFolder(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    const fs::path themes = Folder().Path() / "DATA";
    fs::remove_all(themes);
    fs::create_directory(themes);

    // Names split at '/'; one that starts with ':' makes a plain file instead of a folder.
    // Names the file system cannot hold, and names with a line break, which no line of a
    // catalogue can hold (nor any Windows folder name), are passed over.
    std::set<std::string> folders;
    std::string_view rest = fuzz::Bytes(data, size);
    for (int count = 0; !rest.empty() && count < 32; ++count) {
        const std::size_t end = std::min(rest.find('/'), rest.size());
        std::string_view name = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const bool file = !name.empty() && name.front() == ':';
        if (file)
            name.remove_prefix(1);
        if (name.empty() || name == "." || name == ".." || name.size() > 255 ||
            name.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) {
            continue;
        }
        const fs::path path = themes / std::string(name);
        std::error_code ignored;
        if (file && !fs::exists(path, ignored)) {
            Folder().Write("DATA/" + std::string(name), "not a theme");
        } else if (!file) {
            fs::create_directory(path, ignored);
            if (IsFolder(path))
                folders.insert(std::string(name));
        }
    }

    SetAppFolder(Folder().Path().string() + "/");
    SetThemeCount(-1);
    if (folders.count("CG.LST") != 0) {
        // A folder in the catalogue's place: the catalogue cannot be written.
        bool threw = false;
        try {
            BuildThemeCatalogue(CaselessLess);
        } catch (const std::runtime_error&) {
            threw = true;
        }
        FUZZ_CHECK(threw);
        return 0;
    }
    FUZZ_CHECK(BuildThemeCatalogue(CaselessLess));

    std::vector<std::string> expected;
    for (const std::string& name : folders) {
        if (ShiftJisName(name))
            expected.push_back(name);
    }
    const std::vector<std::string> listed = ReadThemeCatalogue();
    FUZZ_CHECK(ThemeCount == static_cast<std::int32_t>(expected.size()));
    FUZZ_CHECK(std::is_sorted(listed.begin(), listed.end(), CaselessLess));
    std::vector<std::string> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    FUZZ_CHECK(sorted == expected);  // `folders` is a std::set: already in byte order

    std::string text;
    for (const std::string& name : listed)
        text += name + "\r\n";
    FUZZ_CHECK(Folder().Read("DATA/CG.LST") == text);
    return 0;
}
