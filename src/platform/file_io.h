// Whole-file reads and crash-safe whole-file replacement.
#pragma once

#include <filesystem>
#include <string>

namespace haripon {

enum class ReadResult {
    Ok,
    Missing,  // neither the file nor its folder exists: nothing stored yet
    Failed,   // it exists but could not be read (locked, a folder, no access)
};

ReadResult ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// Writes the bytes beside the file, flushes them to disk and renames the new file over the
// old one, so that a crash leaves either the old or the new contents. A read-only file is
// refused, as the system refuses to write into one; the old file then stays as it was.
bool ReplaceFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace haripon
