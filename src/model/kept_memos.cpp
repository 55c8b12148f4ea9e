#include "model/kept_memos.h"

#include <string>

#include "platform/core/file_io.h"

namespace haripon {

namespace {

std::string TwoDigits(std::int32_t value) {
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

// A memo as a line of the file: its text, and its reminder time after a tab.
std::string KeptLine(const StoredSlot& memo) {
    std::string line = memo.Memo;
    if (memo.TimeFlag != 0) {
        const ReminderTime& time = memo.Time;
        line += "\t" + std::to_string(time.Year) + "/" + TwoDigits(time.Month) + "/" +
                TwoDigits(time.Day) + " " + TwoDigits(time.Hour) + ":" + TwoDigits(time.Minute);
    }
    return line + "\r\n";
}

}  // namespace

Kept KeepMemos(const std::vector<StoredSlot>& memos) {
    if (memos.empty())
        return Kept::Nothing;
    const FileName path = AppFile(kKeptMemosFile);
    std::string text;
    if (ReadFileBytes(path, text) == ReadResult::Failed)
        return Kept::Failed;
    const std::string before = text;
    for (const StoredSlot& memo : memos) {
        const std::string line = KeptLine(memo);
        if (("\n" + text).find("\n" + line) == std::string::npos)
            text += line;
    }
    if (text == before)
        return Kept::Nothing;
    return ReplaceFileBytes(path, text) ? Kept::Added : Kept::Failed;
}

}  // namespace haripon
