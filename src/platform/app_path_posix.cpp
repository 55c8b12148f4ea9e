#include "platform/app_path.h"

#include <string>

#include "platform/sjis.h"

namespace haripon {

// On a POSIX host the bytes are the file name; folder separators become '/'.
std::filesystem::path FileIn(const std::filesystem::path& folder, std::string_view relative) {
    std::string name(relative);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(name[i]))) {
            ++i;
        } else if (name[i] == '\\') {
            name[i] = '/';
        }
    }
    std::filesystem::path path = folder;
    path += name;
    return path;
}

std::filesystem::path ExecutableFolder() {
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    folder += "/";
    return folder;
}

}  // namespace haripon
