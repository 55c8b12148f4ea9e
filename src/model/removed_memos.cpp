#include "model/removed_memos.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "model/calendar.h"
#include "platform/core/file_io.h"
#include "platform/core/profile.h"

namespace haripon {

namespace {

// Each memo a section, newest first: [MEMO1] .. [MEMO20].
std::string Section(int n) {
    return "MEMO" + std::to_string(n);
}

struct Field {
    const char* key;
    std::int32_t StoredSlot::*field;
};

constexpr Field kFields[] = {
    {"YEAR", &StoredSlot::Year}, {"MONTH", &StoredSlot::Month},       {"DAY", &StoredSlot::Day},
    {"TIML", &StoredSlot::Hour}, {"TIMM", &StoredSlot::Minute},       {"TOP", &StoredSlot::Top},
    {"LEFT", &StoredSlot::Left}, {"TIMEFLAG", &StoredSlot::TimeFlag},
};

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
        for (const Field& field : kFields)
            memo.Memo.*field.field = file.ReadInteger(section, field.key);
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
        for (const Field& field : kFields)
            file.WriteInteger(section, field.key, memo.Memo.*field.field);
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

void KeepRemovedMemo(int slot) {
    const StoredSlot memo = StoredPartOf(SlotTable[slot]);
    std::vector<RemovedMemo> memos;
    if (memo.Memo.empty() || !Read(memos))
        return;
    ReadClockIntoLocalNow();
    memos.insert(memos.begin(), {memo, slot, LocalNow});
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
    const StoredSlot& m = memo.Memo;
    if (m.Year == kNotSet || MomentReached({m.Year, m.Month, m.Day, m.Hour, m.Minute}, now)) {
        restored.Year = restored.Month = restored.Day = restored.Hour = restored.Minute = kNotSet;
        restored.TimeFlag = 0;
    }
    return restored;
}

}  // namespace haripon
