#include "model/daily_copies.h"

#include "model/settings_format.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

std::string DailyCopy(int n) {
    return std::string(kSettingsFile) + "." + std::to_string(n);
}

}  // namespace

void KeepDailyCopy(const std::string& bytes, const LocalTime& now) {
    if (const auto latest = LastWrittenLocal(AppFile(DailyCopy(1)));
        latest && latest->Year == now.Year && latest->Month == now.Month &&
        latest->Day == now.Day) {
        return;
    }
    RemoveFile(AppFile(DailyCopy(kDailyCopies)));
    for (int n = kDailyCopies - 1; n >= 1; --n)
        RenameFile(AppFile(DailyCopy(n)), AppFile(DailyCopy(n + 1)));
    // Copies that could not move up (the oldest held or read-only) stay as they are.
    if (!StampOf(AppFile(DailyCopy(1))).Exists)
        ReplaceFileBytes(AppFile(DailyCopy(1)), bytes);
}

}  // namespace haripon
