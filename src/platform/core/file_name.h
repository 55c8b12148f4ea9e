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

}  // namespace haripon
