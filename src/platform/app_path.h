// File names of the program: a folder plus a Shift-JIS relative name.
#pragma once

#include <filesystem>
#include <string_view>

namespace haripon {

// `folder` + `relative`, joined as they are: a relative name may name subfolders with '\'.
std::filesystem::path FileIn(const std::filesystem::path& folder, std::string_view relative);

// The folder of the running executable, with a trailing separator.
std::filesystem::path ExecutableFolder();

}  // namespace haripon
