// File names of the program: a folder plus a Shift-JIS relative name.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/file_name.h"

namespace haripon {

// `folder` + `relative`, joined as they are: a relative name may name subfolders with '\\'.
FileName FileIn(const FileName& folder, std::string_view relative);

// The folder of the running executable, with a separator at its end.
FileName ExecutableFolder();

// This PC's name (Shift-JIS), as the user knows it.
std::string ComputerName();

}  // namespace haripon
