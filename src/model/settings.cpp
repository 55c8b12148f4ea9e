#include "model/settings.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

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
    // Looks at the stamp alone since the bytes were last read.
    int Looks = 0;
};

// Once a minute the bytes are read whatever the stamp says: a file replaced within the
// resolution of its time stamp (two seconds on FAT) with the same size looks unchanged.
constexpr int kLooksBetweenReads = 12;

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

// The memos added at the end of the kept memos' file, each once however often a save is
// tried; true when that is done (or there were none).
bool KeepMemos(const std::vector<StoredSlot>& memos) {
    if (memos.empty())
        return true;
    const FileName path = AppFile(kKeptMemosFile);
    std::string text;
    if (ReadFileBytes(path, text) == ReadResult::Failed)
        return false;
    const std::string before = text;
    for (const StoredSlot& memo : memos) {
        const std::string line = KeptLine(memo);
        if (("\n" + text).find("\n" + line) == std::string::npos)
            text += line;
    }
    if (text == before)
        return true;
    if (!ReplaceFileBytes(path, text))
        return false;
    if (listener)
        listener->MemosKept();
    return true;
}

// What the merge brings is taken into the slots and shown. `file`: what the file holds now,
// the base of the next merge; a slot whose change waits keeps its base.
void TakeMerge(const SlotMerge& merge, const StoredSlots& file, const FileStamp& stamp) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (merge.Changed[i])
            StoreSlot(i, merge.Slots[i]);
        if (!merge.Waiting[i])
            known.Base[i] = file[i];
    }
    known.Seen = file;
    known.Stamp = stamp;
    known.Looks = 0;
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

// A file set aside gets `ending` added to its name, or `ending` and "-2" and so on where one
// of that name was set aside before (OneDrive names every copy from one PC alike). The name
// given; none when it could not be renamed.
std::string RenameAside(const std::string& name, const std::string& ending) {
    for (int n = 1; n <= 99; ++n) {
        const std::string aside = name + ending + (n == 1 ? "" : "-" + std::to_string(n));
        if (!StampOf(AppFile(aside)).Exists)
            return RenameFile(AppFile(name), AppFile(aside)) ? aside : std::string();
    }
    return {};
}

// What the user is to be told of a broken settings file, and whether one that could not be
// set aside was told.
std::string brokenMessage;
bool heldTold = false;

// The settings file as it was before the day's first save, in numbered copies beside it:
// timpsd.ini.1 the latest, up to timpsd.ini.7. A folder that refuses them changes nothing.
constexpr int kDailyCopies = 7;

std::string DailyCopy(int n) {
    return std::string(kSettingsFile) + "." + std::to_string(n);
}

void KeepDailyCopy(const std::string& bytes) {
    ReadClockIntoLocalNow();
    if (const auto latest = LastWrittenLocal(AppFile(DailyCopy(1)));
        latest && latest->Year == LocalNow.Year && latest->Month == LocalNow.Month &&
        latest->Day == LocalNow.Day) {
        return;
    }
    RemoveFile(AppFile(DailyCopy(kDailyCopies)));
    for (int n = kDailyCopies - 1; n >= 1; --n)
        RenameFile(AppFile(DailyCopy(n)), AppFile(DailyCopy(n + 1)));
    // Copies that could not move up (the oldest held or read-only) stay as they are.
    if (!StampOf(AppFile(DailyCopy(1))).Exists)
        ReplaceFileBytes(AppFile(DailyCopy(1)), bytes);
}

// A settings file that is no text is never written over, nor merged, nor kept as a daily
// copy: it is set aside under a new name and the user told once; the file is then missing
// and the next save writes the memos anew. True when the bytes read may be used; false while
// the broken file cannot be set aside (held, or a folder that takes no new names): nothing
// is written then, and it is tried again with the next save.
bool TextOrSetAside(ReadResult& read, std::string& bytes) {
    if (read != ReadResult::Ok || !LooksBinary(bytes))
        return true;
    const std::string aside = RenameAside(kSettingsFile, ".broken");
    // Told of every file set aside, and once that one cannot be.
    if (!aside.empty() || !heldTold) {
        heldTold = heldTold || aside.empty();
        brokenMessage = aside.empty() ? std::string(kSettingsBrokenKept)
                                      : std::string(kSettingsSetAside) + "\r\n" + aside;
        if (listener)
            listener->BrokenFileSetAside();
    }
    if (aside.empty())
        return false;
    read = ReadResult::Missing;
    bytes.clear();
    return true;
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

SettingsWrites SettingsFolderTakesWrites() {
    const WriteCheck check = CheckWritesBeside(AppFile(kSettingsFile));
    const bool takes = check.NewFiles && check.File;
    SetAccessDeniedPasses(takes);
    if (takes)
        return SettingsWrites::Taken;
    return check.ReadOnly && check.NewFiles ? SettingsWrites::FileReadOnly
                                            : SettingsWrites::FolderRefuses;
}

void ListenToSettings(SettingsListener* settingsListener) {
    listener = settingsListener;
}

void ForgetSettingsFile() {
    known = {};
    brokenMessage.clear();
    heldTold = false;
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

    // What could be read of a broken file is shown, and the file set aside for the user.
    const StoredSlots slots = ReadSlots(ProfileText(bytes));
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    known = {true, slots, slots, stamp};
    ReadResult read = result;
    TextOrSetAside(read, bytes);
    return true;
}

std::string SettingsSetAside() {
    return std::exchange(brokenMessage, {});
}

// What the file holds now is read first and merged: another copy may have written it. A file
// gone since (deleted, or in the middle of a synchronisation) brings nothing to merge; one
// that cannot be read is never taken as empty.
bool WriteSettings() {
    if (!known.Read)
        return FirstUsedSlot() < 0;

    const FileName path = AppFile(kSettingsFile);
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes);
    if (read == ReadResult::Failed || !TextOrSetAside(read, bytes))
        return false;
    ProfileText profile(bytes);
    StoredSlots file = known.Base;
    if (read == ReadResult::Ok) {
        file = ReadSlots(profile);
    } else if (!ThemeFolder.empty()) {
        profile.WriteString(kFolderSection, kFolderKey, ThemeFolder);  // the theme stays
    }
    const SlotMerge merge = MergeSlots(known.Base, StoredPartOfAll(), file, SlotsBeingEdited());
    // Kept first: a save that fails keeps them all the same, once.
    if (!KeepMemos(merge.Homeless))
        return false;
    WriteSlots(merge.File, profile);
    profile.WriteString(kVersionSection, kVersionKey, VersionText);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        return false;
    TakeMerge(merge, merge.File, StampOf(path));
    // After the file is replaced, from the bytes read: the copy does not widen the moment in
    // which another copy's change could be written over unseen.
    if (read == ReadResult::Ok)
        KeepDailyCopy(bytes);
    return true;
}

// A file that could not be read at start (held at log-on, a cloud file not yet there) is read
// as soon as it can be: until then the slots hold nothing of it and its base is empty.
void FollowSettingsFile() {
    const FileName path = AppFile(kSettingsFile);
    const FileStamp stamp = StampOf(path);
    if (known.Read && (!stamp.Exists || (stamp == known.Stamp && known.Seen == known.Base &&
                                         ++known.Looks < kLooksBetweenReads)))
        return;
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes, false);
    if (read == ReadResult::Failed || !TextOrSetAside(read, bytes) ||
        (known.Read && read == ReadResult::Missing))
        return;  // tried again at the next look, without holding the program up now
    known.Read = true;
    const StoredSlots file = ReadSlots(ProfileText(bytes));
    // What two copies changed differently stays as each has it, until a save settles it.
    TakeMerge(MergeSlots(known.Base, StoredPartOfAll(), file, SlotsBeingEdited(), MergeFor::Look),
              file, stamp);
}

bool FileChangeWaits(int slot) {
    return known.Read && known.Seen[slot] != known.Base[slot] &&
           SameMemo(StoredPartOf(SlotTable[slot]), known.Base[slot]);
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

std::vector<std::string> TakeConflictCopies(const MemoWanted& wanted) {
    std::vector<std::string> names;
    std::vector<std::string> taken;
    if (!known.Read || !ListFiles(AppFolder, names))
        return {};
    StoredSlots slots = StoredPartOfAll();
    std::vector<StoredSlot> homeless;
    for (const std::string& name : names) {
        std::string bytes;
        if (!IsConflictCopyName(name) || ReadFileBytes(AppFile(name), bytes) != ReadResult::Ok ||
            LooksBinary(bytes))
            continue;
        const StoredSlots copy = ReadSlots(ProfileText(bytes));
        for (int i = 0; i < kSlotCount; ++i) {
            if (copy[i].Memo.empty() || HoldsText(slots, copy[i].Memo) || !wanted(copy[i]))
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
        return {};  // taken again at the next start: its memos are not taken twice
    std::vector<std::string> renamed;
    for (const std::string& name : taken) {
        if (!RenameAside(name, ".merged").empty())
            renamed.push_back(name);
    }
    return renamed;
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
