#include "model/set_aside.h"

#include "model/slot_table.h"
#include "platform/core/file_io.h"

namespace haripon {

std::string SetAside(const std::string& name, const std::string& ending) {
    for (int n = 1; n <= 99; ++n) {
        const std::string aside = name + ending + (n == 1 ? "" : "-" + std::to_string(n));
        if (!StampOf(AppFile(aside)).Exists)
            return RenameFile(AppFile(name), AppFile(aside)) ? aside : std::string();
    }
    return {};
}

}  // namespace haripon
