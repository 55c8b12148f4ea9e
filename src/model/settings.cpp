#include "model/settings.h"

#include <cstdint>
#include <stdexcept>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/file_io.h"
#include "platform/core/profile.h"

namespace haripon {

namespace {

constexpr char kPostSection[] = "POST";
constexpr char kVersionSection[] = "VERSION";
constexpr char kVersionKey[] = "VERSION";
constexpr char kFolderSection[] = "FOLDER";
constexpr char kFolderKey[] = "DATFOLDER";

// The integer fields of a slot in the order of the file.
struct IntegerKey {
    const char* suffix;
    std::int32_t StoredSlot::*field;
};

constexpr IntegerKey kIntegerKeys[] = {
    {"YEAR", &StoredSlot::Year}, {"MONTH", &StoredSlot::Month},       {"DAY", &StoredSlot::Day},
    {"TIML", &StoredSlot::Hour}, {"TIMM", &StoredSlot::Minute},       {"TOP", &StoredSlot::Top},
    {"LEFT", &StoredSlot::Left}, {"TIMEFLAG", &StoredSlot::TimeFlag},
};

std::string SlotKey(int index, const char* suffix) {
    return "POST" + std::to_string(index + 1) + suffix;
}

// What this copy knows of the file.
struct KnownFile {
    // Once the stored memos have been read: until then a save would replace them with the
    // empty slots of a run that never saw them.
    bool Read = false;
    // What the file held when this copy last read or wrote it: the base of every merge. A
    // slot whose change from the file waits keeps its older base.
    StoredSlots Base;
    // What the file held then, and its stamp.
    StoredSlots Seen;
    FileStamp Stamp;
};

KnownFile known;
SettingsListener* listener = nullptr;

StoredSlots ReadSlots(const ProfileText& profile) {
    StoredSlots slots;
    for (int i = 0; i < kSlotCount; ++i) {
        for (const IntegerKey& key : kIntegerKeys)
            slots[i].*key.field = profile.ReadInteger(kPostSection, SlotKey(i, key.suffix));
        slots[i].Memo = profile.ReadString(kPostSection, SlotKey(i, "MEMO"));
    }
    return slots;
}

void WriteSlots(const StoredSlots& slots, ProfileText& profile) {
    for (int i = 0; i < kSlotCount; ++i) {
        for (const IntegerKey& key : kIntegerKeys)
            profile.WriteInteger(kPostSection, SlotKey(i, key.suffix), slots[i].*key.field);
        profile.WriteString(kPostSection, SlotKey(i, "MEMO"), QuoteForProfile(slots[i].Memo));
    }
}

SlotSet SlotsBeingEdited() {
    return listener ? listener->SlotsBeingEdited() : SlotSet();
}

std::string TwoDigits(std::int32_t value) {
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

// A memo as a line of the kept memos' file: its text, and its reminder moment after a tab.
std::string KeptLine(const StoredSlot& memo) {
    std::string line = memo.Memo;
    if (memo.TimeFlag != 0) {
        line += "\t" + std::to_string(memo.Year) + "/" + TwoDigits(memo.Month) + "/" +
                TwoDigits(memo.Day) + " " + TwoDigits(memo.Hour) + ":" + TwoDigits(memo.Minute);
    }
    return line + "\r\n";
}

// The memos added at the end of the kept memos' file; true when there were none.
bool KeepMemos(const std::vector<StoredSlot>& memos) {
    if (memos.empty())
        return true;
    const FileName path = AppFile(kKeptMemosFile);
    std::string text;
    if (ReadFileBytes(path, text) == ReadResult::Failed)
        return false;
    for (const StoredSlot& memo : memos)
        text += KeptLine(memo);
    if (!ReplaceFileBytes(path, text))
        return false;
    if (listener)
        listener->MemosKept();
    return true;
}

// What the merge brings is taken into the slots and shown. `file`: what the file holds now,
// the base of the next merge; a slot whose change waits (or whose memo could not be placed
// yet) keeps its base.
void TakeMerge(const SlotMerge& merge, const StoredSlots& file, const SlotSet& unresolved,
               const FileStamp& stamp) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (merge.Changed[i])
            StoreSlot(i, merge.Slots[i]);
        if (!merge.Waiting[i] && !unresolved[i])
            known.Base[i] = file[i];
    }
    known.Seen = file;
    known.Stamp = stamp;
    if (listener && merge.Changed.any())
        listener->SlotsChangedElsewhere(merge.Changed);
}

bool HoldsText(const StoredSlots& slots, const std::string& text) {
    for (const StoredSlot& slot : slots) {
        if (slot.Memo == text)
            return true;
    }
    return false;
}

int FirstEmptyOf(const StoredSlots& slots) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots[i].Memo.empty())
            return i;
    }
    return -1;
}

bool StartsWith(std::string_view text, std::string_view start) {
    if (text.size() < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(start[i]))
            return false;
    }
    return true;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && StartsWith(text.substr(text.size() - end.size()), end);
}

}  // namespace

void ListenToSettings(SettingsListener* settingsListener) {
    listener = settingsListener;
}

void ForgetSettingsFile() {
    known = {};
}

bool ReadSettings() {
    const FileName path = AppFile(kSettingsFile);
    // The stamp before the bytes: a change between the two is seen by the next look.
    const FileStamp stamp = StampOf(path);
    std::string bytes;
    const ReadResult result = ReadFileBytes(path, bytes);
    SetVersionText(kVersionText);
    if (result == ReadResult::Failed)
        return false;

    const StoredSlots slots = ReadSlots(ProfileText(bytes));
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    known = {true, slots, slots, stamp};
    return true;
}

// What the file holds now is read first and merged: another copy may have written it. A file
// gone since (deleted, or in the middle of a synchronisation) brings nothing to merge; one
// that cannot be read is never taken as empty.
bool WriteSettings() {
    if (!known.Read)
        return FirstUsedSlot() < 0;

    const FileName path = AppFile(kSettingsFile);
    std::string bytes;
    const ReadResult read = ReadFileBytes(path, bytes);
    if (read == ReadResult::Failed)
        return false;
    ProfileText profile(bytes);
    const StoredSlots file = read == ReadResult::Missing ? known.Base : ReadSlots(profile);
    const SlotMerge merge = MergeSlots(known.Base, StoredPartOfAll(), file, SlotsBeingEdited());
    if (!KeepMemos(merge.Homeless))
        return false;
    WriteSlots(merge.File, profile);
    profile.WriteString(kVersionSection, kVersionKey, VersionText);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        return false;
    TakeMerge(merge, merge.File, {}, StampOf(path));
    return true;
}

void FollowSettingsFile() {
    if (!known.Read)
        return;
    const FileName path = AppFile(kSettingsFile);
    const FileStamp stamp = StampOf(path);
    if (!stamp.Exists || (stamp == known.Stamp && known.Seen == known.Base))
        return;
    std::string bytes;
    if (ReadFileBytes(path, bytes) != ReadResult::Ok)
        return;  // tried again at the next look
    const StoredSlots file = ReadSlots(ProfileText(bytes));
    const SlotMerge merge = MergeSlots(known.Base, StoredPartOfAll(), file, SlotsBeingEdited());
    // A memo that found no free slot stays where the file has it, until a save keeps it.
    TakeMerge(merge, file, merge.HomelessFrom, stamp);
}

bool IsConflictCopyName(std::string_view name) {
    constexpr std::string_view kIni = ".ini";
    const auto between = [&](std::string_view start, std::string_view end) {
        return name.size() > start.size() + end.size() && StartsWith(name, start) &&
               EndsWith(name, end);
    };
    return between("timpsd-", kIni) ||
           between("timpsd (",
                   ")"
                   ".ini") ||
           between("timpsd.sync-conflict-", kIni);
}

std::vector<std::string> TakeConflictCopies() {
    std::vector<std::string> names;
    std::vector<std::string> taken;
    if (!known.Read || !ListFiles(AppFolder, names))
        return {};
    StoredSlots slots = StoredPartOfAll();
    std::vector<StoredSlot> homeless;
    for (const std::string& name : names) {
        std::string bytes;
        if (!IsConflictCopyName(name) || ReadFileBytes(AppFile(name), bytes) != ReadResult::Ok)
            continue;
        const StoredSlots copy = ReadSlots(ProfileText(bytes));
        for (int i = 0; i < kSlotCount; ++i) {
            if (copy[i].Memo.empty() || HoldsText(slots, copy[i].Memo))
                continue;
            const int at = slots[i].Memo.empty() ? i : FirstEmptyOf(slots);
            if (at >= 0) {
                slots[at] = copy[i];
            } else {
                homeless.push_back(copy[i]);
            }
        }
        taken.push_back(name);
    }
    if (taken.empty())
        return {};
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    if (!KeepMemos(homeless) || !WriteSettings())
        return {};
    // A copy of that name taken before stays: its memos are the slots' now, and not taken twice.
    for (const std::string& name : taken)
        RenameFile(AppFile(name), AppFile(name + ".merged"));
    return taken;
}

void WriteThemeFolder(std::string_view folder) {
    const auto path = AppFile(kSettingsFile);
    std::string bytes;
    if (ReadFileBytes(path, bytes) == ReadResult::Failed)
        throw std::runtime_error(ShownFileName(path) + ": " + LastFileErrorText());
    ProfileText profile(bytes);
    profile.WriteString(kFolderSection, kFolderKey, folder);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        throw std::runtime_error(ShownFileName(path) + ": " + LastFileErrorText());
}

std::string ReadThemeFolder() {
    std::string bytes;
    if (ReadFileBytes(AppFile(kSettingsFile), bytes) != ReadResult::Ok)
        return {};
    return ProfileText(bytes).ReadString(kFolderSection, kFolderKey);
}

void RereadThemeFolder() {
    SetThemeFolder(ReadThemeFolder());
}

}  // namespace haripon
