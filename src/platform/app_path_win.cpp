#include "platform/app_path.h"

#include "model/slot_table.h"
#include "platform/win_text.h"

namespace haripon {

std::filesystem::path AppFile(std::string_view relative) {
    std::filesystem::path path = AppFolder;
    path += WideFromSjis(relative);
    return path;
}

}  // namespace haripon
