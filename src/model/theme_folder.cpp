#include "model/theme_folder.h"

#include <stdexcept>

#include "model/settings_format.h"
#include "platform/core/file_io.h"

namespace haripon {

std::string ReadThemeFolder() {
    std::string bytes;
    if (ReadFileBytes(AppFile(kSettingsFile), bytes) != ReadResult::Ok)
        return {};
    return ReadFolderKey(ProfileText(bytes));
}

void RereadThemeFolder() {
    SetThemeFolder(ReadThemeFolder());
}

void WriteThemeFolder(std::string_view folder) {
    const auto path = AppFile(kSettingsFile);
    std::string bytes;
    if (ReadFileBytes(path, bytes) == ReadResult::Failed)
        throw std::runtime_error(ShownFileName(path) + ": " + LastFileErrorText());
    ProfileText profile(bytes);
    WriteFolderKey(profile, folder);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        throw std::runtime_error(ShownFileName(path) + ": " + LastFileErrorText());
}

}  // namespace haripon
