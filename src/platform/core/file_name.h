// A file's full name as the system takes it: UTF-16 on Windows, bytes elsewhere.
#pragma once

#include <string>

namespace haripon {

#ifdef _WIN32
using FileName = std::wstring;
inline constexpr wchar_t kFolderSeparator = L'\\';
#else
using FileName = std::string;
inline constexpr char kFolderSeparator = '/';
#endif

// The temporary file a save of `path` writes before it takes the file's place (`second`: the
// name tried where the first is refused). Named as the synchronising services name the
// temporary files they leave alone (OneDrive and Dropbox skip a name that begins with "~$" or
// ends with ".tmp"), so that no half-made file travels.
inline FileName TemporaryFileName(const FileName& path, bool second) {
    const auto ascii = [](const char* text) {
        return FileName(text, text + std::char_traits<char>::length(text));
    };
    std::size_t name = path.size();
    while (name > 0 && path[name - 1] != kFolderSeparator && path[name - 1] != '/')
        --name;
    return path.substr(0, name) + ascii("~$") + path.substr(name) +
           ascii(second ? "-2.tmp" : ".tmp");
}

}  // namespace haripon
