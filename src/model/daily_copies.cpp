#include "model/daily_copies.h"

#include "model/settings_format.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

std::string DailyCopy(int n) {
    return std::string(kSettingsFile) + "." + std::to_string(n);
}

}  // namespace

// Room is made at the first gap from timpsd.ini.1 up; with all seven there, the oldest goes,
// but only once the one before it has been moved out of the way: a copy that cannot move
// stops the turn, and no copy is lost (none is made that day either).
void KeepDailyCopy(const std::string& bytes, const LocalTime& now) {
    if (const auto latest = LastWrittenLocal(AppFile(DailyCopy(1)));
        latest && latest->Year == now.Year && latest->Month == now.Month &&
        latest->Day == now.Day) {
        return;
    }
    int gap = 1;
    while (gap <= kDailyCopies && StampOf(AppFile(DailyCopy(gap))).Exists)
        ++gap;
    if (gap > kDailyCopies) {
        const FileName moving = AppFile(DailyCopy(kDailyCopies - 1) + ".moving");
        if (!RenameFile(AppFile(DailyCopy(kDailyCopies - 1)), moving))
            return;
        if (!RemoveFile(AppFile(DailyCopy(kDailyCopies)))) {
            RenameFile(moving, AppFile(DailyCopy(kDailyCopies - 1)));
            return;
        }
        RenameFile(moving, AppFile(DailyCopy(kDailyCopies)));
        gap = kDailyCopies - 1;
    }
    for (int n = gap - 1; n >= 1; --n) {
        if (!RenameFile(AppFile(DailyCopy(n)), AppFile(DailyCopy(n + 1))))
            return;
    }
    ReplaceFileBytes(AppFile(DailyCopy(1)), bytes);
}

}  // namespace haripon
