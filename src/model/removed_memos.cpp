#include "model/removed_memos.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "model/conflict_names.h"
#include "model/memo_ids.h"
#include "model/set_aside.h"
#include "model/settings_format.h"
#include "model/texts.h"
#include "platform/core/file_io.h"
#include "platform/core/profile.h"

namespace haripon {

namespace {

// A file that could not be used, and whether the user was told.
bool refused = false;
bool refusalTold = false;

void Refused() {
    refused = true;
}

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
        memo.Memo.Id = file.ReadString(section, "ID");
        if (const std::string why = file.ReadString(section, "WHY"); why.size() == 1)
            memo.Elsewhere =
                LeftElsewhere{static_cast<GoneWhy>(why[0]), file.ReadString(section, "FROM")};
        memo.Seen = file.ReadInteger(section, "UNSEEN") == 0;
        memos.push_back(std::move(memo));
    }
    return memos;
}

// The whole file written anew, as the settings are: a new file renamed over the old; the
// conflict copies it took in are set aside.
void Write(const std::vector<RemovedMemo>& memos, const std::vector<std::string>& copies = {}) {
    ProfileText file;
    for (std::size_t i = 0; i < memos.size() && i < kRemovedMemosKept; ++i) {
        const std::string section = Section(static_cast<int>(i) + 1);
        const RemovedMemo& memo = memos[i];
        file.WriteString(section, "MEMO", QuoteForProfile(memo.Memo.Memo));
        file.WriteInteger(section, "SLOT", memo.Slot);
        WriteSlotNumbers(file, section, "", memo.Memo);
        for (std::size_t j = 0; j < std::size(kLeftAt); ++j)
            file.WriteInteger(section, kLeftAtKeys[j], memo.LeftAt.*kLeftAt[j]);
        if (!memo.Memo.Id.empty())
            file.WriteString(section, "ID", memo.Memo.Id);
        if (memo.Elsewhere) {
            file.WriteString(section, "WHY",
                             std::string(1, static_cast<char>(memo.Elsewhere->Why)));
            file.WriteString(section, "FROM", memo.Elsewhere->From);
        }
        if (!memo.Seen)
            file.WriteInteger(section, "UNSEEN", 1);
    }
    if (!ReplaceFileBytes(AppFile(kRemovedMemosFile), file.Bytes())) {
        Refused();
        return;
    }
    for (const std::string& copy : copies)
        SetAside(copy, ".merged");
}

bool Earlier(const LocalTime& a, const LocalTime& b) {
    for (const auto field : kLeftAt) {
        if (a.*field != b.*field)
            return a.*field < b.*field;
    }
    return false;
}

bool SameEntry(const RemovedMemo& a, const RemovedMemo& b) {
    return a.Memo.Id.empty() ? a == b : a.Memo.Id == b.Memo.Id;
}

// The memos of the conflict copies a synchronising service left of the file, added to
// `memos`, newest first, each once; the copies' names in `copies`.
void AddConflictCopies(std::vector<RemovedMemo>& memos, std::vector<std::string>& copies) {
    std::vector<std::string> names;
    if (!ListFiles(AppFolder, names))
        return;
    const std::string_view file = kRemovedMemosFile;
    for (const std::string& name : names) {
        std::string bytes;
        if (!IsConflictCopyName(name, file.substr(0, file.rfind('.'))) ||
            ReadFileBytes(AppFile(name), bytes) != ReadResult::Ok || LooksBinary(bytes))
            continue;
        for (RemovedMemo& memo : Parse(ProfileText(bytes))) {
            if (std::none_of(memos.begin(), memos.end(),
                             [&](const RemovedMemo& kept) { return SameEntry(kept, memo); }))
                memos.push_back(std::move(memo));
        }
        copies.push_back(name);
    }
    std::stable_sort(memos.begin(), memos.end(), [](const RemovedMemo& a, const RemovedMemo& b) {
        return Earlier(b.LeftAt, a.LeftAt);
    });
}

// The file and its conflict copies as one. False when the file cannot be read, or is no
// text: it is then neither used nor written over.
bool Read(std::vector<RemovedMemo>& memos, std::vector<std::string>* copies = nullptr) {
    std::string bytes;
    const ReadResult result = ReadFileBytes(AppFile(kRemovedMemosFile), bytes);
    memos = result == ReadResult::Ok ? Parse(ProfileText(bytes)) : std::vector<RemovedMemo>();
    const bool usable = result != ReadResult::Failed && !LooksBinary(bytes);
    if (!usable) {
        Refused();
        return false;
    }
    std::vector<std::string> names;
    AddConflictCopies(memos, copies ? *copies : names);
    return true;
}

bool Holds(const std::vector<RemovedMemo>& memos, const StoredSlot& memo) {
    return std::any_of(memos.begin(), memos.end(), [&](const RemovedMemo& kept) {
        return memo.Id.empty() ? SameMemo(kept.Memo, memo) : kept.Memo.Id == memo.Id;
    });
}

// Each memo kept once, newest first.
void Keep(std::vector<RemovedMemo> added) {
    std::vector<RemovedMemo> memos;
    std::vector<std::string> copies;
    if (added.empty() || !Read(memos, &copies))
        return;
    added.erase(std::remove_if(added.begin(), added.end(),
                               [&](const RemovedMemo& memo) { return Holds(memos, memo.Memo); }),
                added.end());
    if (added.empty())
        return;
    memos.insert(memos.begin(), added.begin(), added.end());
    Write(memos, copies);
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

void KeepRemovedMemo(int slot, const LocalTime& now,
                     const std::optional<LeftElsewhere>& elsewhere) {
    const StoredSlot& memo = SlotTable[slot];
    if (!memo.Memo.empty())
        Keep({{memo, slot, now, elsewhere}});
}

void KeepHomelessMemos(const std::vector<StoredSlot>& memos, const LeftElsewhere& why,
                       const LocalTime& now) {
    std::vector<RemovedMemo> kept;
    for (const StoredSlot& memo : memos)
        kept.push_back({memo, 0, now, why, false});
    Keep(std::move(kept));
}

std::vector<RemovedMemo> UnseenKeptMemos() {
    std::vector<RemovedMemo> memos;
    Read(memos);
    memos.erase(std::remove_if(memos.begin(), memos.end(),
                               [](const RemovedMemo& memo) { return memo.Seen; }),
                memos.end());
    return memos;
}

void MarkKeptMemosSeen(const std::vector<RemovedMemo>& seen) {
    std::vector<RemovedMemo> memos;
    std::vector<std::string> copies;
    if (!Read(memos, &copies))
        return;
    bool changed = false;
    for (RemovedMemo& memo : memos) {
        if (!memo.Seen && std::find(seen.begin(), seen.end(), memo) != seen.end())
            memo.Seen = changed = true;
    }
    if (changed)
        Write(memos, copies);
}

std::string RemovedMemosRefused() {
    if (!refused || refusalTold)
        return {};
    refusalTold = true;
    return std::string(kRemovedMemosRefused) + "\r\n" + kRemovedMemosFile;
}

void ForgetRemovedMemo(const RemovedMemo& memo) {
    std::vector<RemovedMemo> memos;
    std::vector<std::string> copies;
    if (!Read(memos, &copies))
        return;
    const auto found = std::find(memos.begin(), memos.end(), memo);
    if (found == memos.end())
        return;
    memos.erase(found);
    Write(memos, copies);
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
    // A memo again, under a name no copy's list of removed memos holds.
    restored.Id = NewMemoId();
    if (!restored.Time.IsSet() || restored.Time.ReachedBy(now)) {
        restored.Time = ReminderTime::None();
        restored.TimeFlag = 0;
    }
    return restored;
}

}  // namespace haripon
