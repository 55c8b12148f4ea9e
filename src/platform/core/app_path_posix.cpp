#include "platform/core/app_path.h"

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/core/sjis.h"

namespace haripon {

// On a POSIX host the bytes are the file name; folder separators become '/'.
FileName FileIn(const FileName& folder, std::string_view relative) {
    std::string name(relative);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(name[i]))) {
            ++i;
        } else if (name[i] == '\\') {
            name[i] = '/';
        }
    }
    return folder + name;
}

FileName ExecutableFolder() {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    return program.substr(0, program.rfind('/') + 1);
}

std::string ComputerName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

}  // namespace haripon
