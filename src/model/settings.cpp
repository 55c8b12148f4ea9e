#include "model/settings.h"

#include <optional>

#include "model/broken_file.h"
#include "model/daily_copies.h"
#include "model/gone_memos.h"
#include "model/kept_memos.h"
#include "model/memo_ids.h"
#include "model/periods.h"
#include "model/removed_memos.h"
#include "model/settings_format.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/app_path.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

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
    unsigned Looks = 0;
};

// The bytes are read at least this often whatever the stamp says: a file replaced within the
// resolution of its time stamp (two seconds on FAT) with the same size looks unchanged.
constexpr unsigned kLooksBetweenReads = kFullReadMilliseconds / kCheckMilliseconds;

// Held while a save reads, merges and replaces the file: two copies on one PC take turns. A
// name synchronising services leave alone.
constexpr char kLockFile[] = "~$timpsd.lock";

KnownFile known;
bool fileComesLater = false;
bool saveOwed = false;
std::string copyName;

const std::string& CopyName() {
    if (copyName.empty())
        copyName = ComputerName();
    return copyName;
}

// What this copy holds, as a save or look merges it: a time the editor refused counts as the
// one the file had.
StoredSlots MineToMerge() {
    StoredSlots mine = StoredPartOfAll();
    for (int i = 0; i < kSlotCount; ++i) {
        if (SlotTable[i].TimeRefused && mine[i].Memo == known.Base[i].Memo)
            mine[i].Time = known.Base[i].Time;
    }
    return mine;
}

bool ShownAnywhere(const StoredSlots& slots, const StoredSlot& memo) {
    for (const StoredSlot& slot : slots) {
        if (SameMemo(slot, memo) || (!memo.Id.empty() && slot.Id == memo.Id))
            return true;
    }
    return false;
}

// Why a memo another copy's change took off this copy's slot, as that copy said.
LeftElsewhere WhyItLeft(const StoredSlot& memo, const StoredSlot& replacement,
                        const std::string& writer) {
    const GoneMemo* gone = FindGone(KnownGone(), memo.Id);
    return {gone                       ? gone->Why
            : replacement.Memo.empty() ? GoneWhy::Peeled
                                       : GoneWhy::Rewritten,
            writer};
}

// What the merge brings is taken into the slots; a memo it takes off, and shows nowhere else,
// is kept in the removed memos' file with why and from where. `file`: what the file holds now,
// the base of the next merge; a slot whose change waits keeps its base.
SettingsNews TakeMerge(const SlotMerge& merge, const StoredSlots& file, const FileStamp& stamp,
                       const LocalTime& now, const std::string& writer) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (merge.Changed[i]) {
            const StoredSlot before = SlotTable[i];
            if (!before.Memo.empty() && !SameMemo(before, merge.Slots[i]) &&
                !ShownAnywhere(merge.Slots, before)) {
                TakeMemoOut(i, Leaving::TakenFromElsewhere, now,
                            WhyItLeft(before, merge.Slots[i], writer));
            }
            StoreSlot(i, merge.Slots[i]);
        }
        if (!merge.Waiting[i])
            known.Base[i] = file[i];
    }
    known.Seen = file;
    known.Stamp = stamp;
    known.Looks = 0;
    return {merge.Changed, false, true};
}

// Memos the file brings that found no free slot: kept beside the file, in the removed memos'
// file as unseen, and as gone, so that the copy that wrote them takes them off too.
Kept KeepHomeless(const std::vector<StoredSlot>& homeless, const std::string& writer,
                  const LocalTime& now) {
    const Kept kept = KeepMemos(homeless);
    if (kept == Kept::Failed)
        return kept;
    for (const StoredSlot& memo : homeless)
        RecordGone(memo.Id, GoneWhy::Kept, now);
    KeepHomelessMemos(homeless, {GoneWhy::Kept, writer}, now);
    return kept;
}

// The memos read without an id (a file of a program that knows none) get one now.
void GiveIds() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!SlotTable[i].Memo.empty() && SlotTable[i].Id.empty()) {
            StoredSlot memo = SlotTable[i];
            memo.Id = NewMemoId();
            StoreSlot(i, memo);
        }
    }
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

void SetCopyName(std::string name) {
    copyName = std::move(name);
}

void ForgetSettingsFile() {
    known = {};
    saveOwed = false;
    ForgetBrokenFile();
    ForgetGone();
}

// A broken file's memos, as far as they could be read, are written into a new file at once:
// they are not left to a save that a crash may never let come.
bool ReadSettings(const LocalTime& now) {
    const FileName path = AppFile(kSettingsFile);
    // The stamp before the bytes: a change between the two is seen by the next look.
    const FileStamp stamp = StampOf(path);
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes);
    fileComesLater = read == ReadResult::Failed && LastReadComesLater();
    SetVersionText(kVersionText);
    if (read == ReadResult::Failed)
        return false;

    const ProfileText profile(bytes);
    const StoredSlots slots = ReadSlots(profile);
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    GiveIds();
    TakeGone(ReadSharing(profile).Gone, now);
    known = {true, slots, slots, stamp};
    if (SetAsideIfBroken(read, bytes) == BrokenFile::SetAside) {
        known.Base = known.Seen = {};
        WriteSettings(now);
    }
    return true;
}

// What the file holds now is read first and merged: another copy may have written it. A file
// gone since (deleted, or in the middle of a synchronisation) brings nothing to merge; one
// that cannot be read is never taken as empty; one that is no text is merged with what can be
// read of it, and set aside.
namespace {

SettingsSaved WriteOnce(const LocalTime& now, const SlotSet& held) {
    if (!known.Read)
        return {FirstUsedSlot() < 0, {}};

    const FileName path = AppFile(kSettingsFile);
    std::optional<FileLock> turn(std::in_place, AppFile(kLockFile));
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes);
    if (read == ReadResult::Failed)
        return {};
    ProfileText profile(bytes);
    StoredSlots file = known.Base;
    SharingRecord sharing;
    if (read == ReadResult::Ok) {
        file = ReadSlots(profile);
        sharing = ReadSharing(profile);
    }
    switch (SetAsideIfBroken(read, bytes)) {
        case BrokenFile::Held:
            return {};
        case BrokenFile::SetAside:
            profile = ProfileText();
            break;
        case BrokenFile::None:
            break;
    }
    if (read != ReadResult::Ok && !ThemeFolder.empty())
        WriteFolderKey(profile, ThemeFolder);  // the theme stays
    TakeGone(sharing.Gone, now);
    const SlotMerge merge =
        MergeSlots(known.Base, MineToMerge(), file, held, MergeFor::Save, KnownGone());
    // Kept first, and told: a save that fails keeps them all the same, once.
    SettingsSaved saved;
    const Kept kept = KeepHomeless(merge.Homeless, sharing.Writer, now);
    saved.News.MemosKept = kept == Kept::Added;
    if (kept == Kept::Failed)
        return saved;
    WriteSlots(merge.File, VersionText, profile);
    WriteSharing({CopyName(), KnownGone()}, profile);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        return saved;
    const FileStamp written = StampOf(path);  // before another copy's turn can change it
    turn.reset();
    saved.Done = true;
    saved.News.Changed = TakeMerge(merge, merge.File, written, now, sharing.Writer).Changed;
    // After the file is replaced, from the bytes read: the copy does not widen the moment in
    // which another copy's change could be written over unseen.
    if (read == ReadResult::Ok)
        KeepDailyCopy(bytes, now);
    return saved;
}

}  // namespace

// A save that failed (the file torn or held for a while) is owed, and made again by the next
// look that can: what it would have written is not left to the next change, which a crash
// may never let come.
SettingsSaved WriteSettings(const LocalTime& now, const SlotSet& held) {
    const SettingsSaved saved = WriteOnce(now, held);
    saveOwed = !saved.Done;
    return saved;
}

// A file that could not be read at start (held at log-on, a cloud file not yet there) is read
// as soon as it can be: until then the slots hold nothing of it and its base is empty.
SettingsNews FollowSettingsFile(const LocalTime& now, const SlotSet& held) {
    if (saveOwed && known.Read) {
        SettingsSaved saved = WriteSettings(now, held);
        saved.News.FileRead = true;
        if (saved.Done)
            return saved.News;
    }
    const FileName path = AppFile(kSettingsFile);
    const FileStamp stamp = StampOf(path);
    if (known.Read && (!stamp.Exists || (stamp == known.Stamp && known.Seen == known.Base &&
                                         ++known.Looks < kLooksBetweenReads)))
        return {};
    std::string bytes;
    const ReadResult read = ReadFileBytes(path, bytes, false);
    if (read == ReadResult::Failed || (read == ReadResult::Ok && LooksBinary(bytes)) ||
        (known.Read && read == ReadResult::Missing))
        return {};  // tried again at the next look, without holding the program up now
    const bool first = !known.Read;
    known.Read = true;
    const ProfileText profile(bytes);
    const StoredSlots file = ReadSlots(profile);
    const SharingRecord sharing = ReadSharing(profile);
    TakeGone(sharing.Gone, now);
    // What two copies changed differently stays as each has it, until a save settles it.
    const SlotMerge merge =
        MergeSlots(known.Base, MineToMerge(), file, held, MergeFor::Look, KnownGone());
    SettingsNews news = TakeMerge(merge, file, stamp, now, sharing.Writer);
    if (first)
        GiveIds();
    // A file that lacks a memo this copy shows (replaced by a service with another PC's
    // version, or read for the first time after memos were posted) is written at once.
    for (int i = 0; i < kSlotCount; ++i) {
        if (!merge.File[i].Memo.empty() && !SameMemo(merge.File[i], file[i])) {
            const SettingsSaved saved = WriteSettings(now, held);
            news.Changed |= saved.News.Changed;
            news.MemosKept = news.MemosKept || saved.News.MemosKept;
            break;
        }
    }
    return news;
}

bool SettingsFileComesLater() {
    return fileComesLater;
}

bool SettingsFileRead() {
    return known.Read;
}

bool FileChangeWaits(int slot) {
    return known.Read && known.Seen[slot] != known.Base[slot] &&
           SameMemo(SlotTable[slot], known.Base[slot]);
}

}  // namespace haripon
