#include "model/removed_memos.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "model/settings_format.h"
#include "platform/core/file_io.h"
#include "platform/core/profile.h"

namespace haripon {

namespace {

// Each memo a section, newest first: [MEMO1] .. [MEMO20].
std::string Section(int n) {
    return "MEMO" + std::to_string(n);
}

// When it left: year, month, day, hour, minute.
std::uint16_t LocalTime::*const kLeftAt[] = {&LocalTime::Year, &LocalTime::Month, &LocalTime::Day,
                                             &LocalTime::Hour, &LocalTime::Minute};
const char* const kLeftAtKeys[] = {"LEFTYEAR", "LEFTMONTH", "LEFTDAY", "LEFTHOUR", "LEFTMINUTE"};

std::vector<RemovedMemo> Parse(const ProfileText& file) {
    std::vector<RemovedMemo> memos;
    for (int n = 1; n <= kRemovedMemosKept; ++n) {
        const std::string section = Section(n);
        const std::optional<std::string> text = file.Find(section, "MEMO");
        if (!text || text->empty())
            continue;  // a gap left by a hand edit: the memos after it stay
        RemovedMemo memo;
        memo.Memo.Memo = *text;
        ReadSlotNumbers(file, section, "", memo.Memo);
        memo.Slot = std::clamp(file.ReadInteger(section, "SLOT"), 0, kSlotCount - 1);
        for (std::size_t i = 0; i < std::size(kLeftAt); ++i)
            memo.LeftAt.*kLeftAt[i] =
                static_cast<std::uint16_t>(file.ReadInteger(section, kLeftAtKeys[i]));
        memos.push_back(std::move(memo));
    }
    return memos;
}

// The whole file written anew, as the settings are: a new file renamed over the old.
void Write(const std::vector<RemovedMemo>& memos) {
    ProfileText file;
    for (std::size_t i = 0; i < memos.size() && i < kRemovedMemosKept; ++i) {
        const std::string section = Section(static_cast<int>(i) + 1);
        const RemovedMemo& memo = memos[i];
        file.WriteString(section, "MEMO", QuoteForProfile(memo.Memo.Memo));
        file.WriteInteger(section, "SLOT", memo.Slot);
        WriteSlotNumbers(file, section, "", memo.Memo);
        for (std::size_t j = 0; j < std::size(kLeftAt); ++j)
            file.WriteInteger(section, kLeftAtKeys[j], memo.LeftAt.*kLeftAt[j]);
    }
    ReplaceFileBytes(AppFile(kRemovedMemosFile), file.Bytes());
}

// False when the file cannot be read, or is no text: it is then neither used nor written over.
bool Read(std::vector<RemovedMemo>& memos) {
    std::string bytes;
    const ReadResult result = ReadFileBytes(AppFile(kRemovedMemosFile), bytes);
    memos = result == ReadResult::Ok ? Parse(ProfileText(bytes)) : std::vector<RemovedMemo>();
    return result != ReadResult::Failed && !LooksBinary(bytes);
}

bool SameMoment(const LocalTime& a, const LocalTime& b) {
    for (const auto field : kLeftAt) {
        if (a.*field != b.*field)
            return false;
    }
    return true;
}

}  // namespace

bool operator==(const RemovedMemo& a, const RemovedMemo& b) {
    return a.Memo == b.Memo && a.Slot == b.Slot && SameMoment(a.LeftAt, b.LeftAt);
}

std::vector<RemovedMemo> ReadRemovedMemos() {
    std::vector<RemovedMemo> memos;
    Read(memos);
    return memos;
}

void KeepRemovedMemo(int slot, const LocalTime& now) {
    const StoredSlot& memo = SlotTable[slot];
    std::vector<RemovedMemo> memos;
    if (memo.Memo.empty() || !Read(memos))
        return;
    memos.insert(memos.begin(), {memo, slot, now});
    Write(memos);
}

void ForgetRemovedMemo(const RemovedMemo& memo) {
    std::vector<RemovedMemo> memos;
    if (!Read(memos))
        return;
    const auto found = std::find(memos.begin(), memos.end(), memo);
    if (found == memos.end())
        return;
    memos.erase(found);
    Write(memos);
}

int SlotToRestoreInto(const RemovedMemo& memo, const std::array<MemoSlot, kSlotCount>& slots,
                      const SlotSet& held) {
    const auto free = [&](int slot) { return slots[slot].Memo.empty() && !held[slot]; };
    if (free(memo.Slot))
        return memo.Slot;
    for (int i = 0; i < kSlotCount; ++i) {
        if (free(i))
            return i;
    }
    return -1;
}

StoredSlot AsRestored(const RemovedMemo& memo, const DateTimeRecord& now) {
    StoredSlot restored = memo.Memo;
    if (!restored.Time.IsSet() || restored.Time.ReachedBy(now)) {
        restored.Time = ReminderTime::None();
        restored.TimeFlag = 0;
    }
    return restored;
}

}  // namespace haripon
