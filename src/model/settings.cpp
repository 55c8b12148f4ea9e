#include "model/settings.h"

#include "model/broken_file.h"
#include "model/daily_copies.h"
#include "model/kept_memos.h"
#include "model/periods.h"
#include "model/settings_format.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "model/texts.h"
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

KnownFile known;

// What the merge brings is taken into the slots. `file`: what the file holds now, the base of
// the next merge; a slot whose change waits keeps its base.
SettingsNews TakeMerge(const SlotMerge& merge, const StoredSlots& file, const FileStamp& stamp,
                       const LocalTime& now) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (merge.Changed[i]) {
            if (SlotTable[i].Memo != merge.Slots[i].Memo)
                TakeMemoOut(i, Leaving::TakenFromElsewhere, now);
            StoreSlot(i, merge.Slots[i]);
        }
        if (!merge.Waiting[i])
            known.Base[i] = file[i];
    }
    known.Seen = file;
    known.Stamp = stamp;
    known.Looks = 0;
    return {merge.Changed};
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

void ForgetSettingsFile() {
    known = {};
    ForgetBrokenFile();
}

bool ReadSettings() {
    const FileName path = AppFile(kSettingsFile);
    // The stamp before the bytes: a change between the two is seen by the next look.
    const FileStamp stamp = StampOf(path);
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes);
    SetVersionText(kVersionText);
    if (read == ReadResult::Failed)
        return false;

    // What could be read of a broken file is shown, and the file set aside for the user.
    const StoredSlots slots = ReadSlots(ProfileText(bytes));
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    known = {true, slots, slots, stamp};
    SetAsideIfBroken(read, bytes);
    return true;
}

// What the file holds now is read first and merged: another copy may have written it. A file
// gone since (deleted, or in the middle of a synchronisation) brings nothing to merge; one
// that cannot be read is never taken as empty.
SettingsSaved WriteSettings(const LocalTime& now, const SlotSet& held) {
    if (!known.Read)
        return {FirstUsedSlot() < 0, {}};

    const FileName path = AppFile(kSettingsFile);
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes);
    if (read == ReadResult::Failed || SetAsideIfBroken(read, bytes) == BrokenFile::Held)
        return {};
    ProfileText profile(bytes);
    StoredSlots file = known.Base;
    if (read == ReadResult::Ok) {
        file = ReadSlots(profile);
    } else if (!ThemeFolder.empty()) {
        WriteFolderKey(profile, ThemeFolder);  // the theme stays
    }
    const SlotMerge merge = MergeSlots(known.Base, StoredPartOfAll(), file, held);
    // Kept first, and told: a save that fails keeps them all the same, once.
    SettingsSaved saved;
    const Kept kept = KeepMemos(merge.Homeless);
    saved.News.MemosKept = kept == Kept::Added;
    if (kept == Kept::Failed)
        return saved;
    WriteSlots(merge.File, VersionText, profile);
    if (!ReplaceFileBytes(path, profile.Bytes()))
        return saved;
    saved.Done = true;
    saved.News.Changed = TakeMerge(merge, merge.File, StampOf(path), now).Changed;
    // After the file is replaced, from the bytes read: the copy does not widen the moment in
    // which another copy's change could be written over unseen.
    if (read == ReadResult::Ok)
        KeepDailyCopy(bytes, now);
    return saved;
}

// A file that could not be read at start (held at log-on, a cloud file not yet there) is read
// as soon as it can be: until then the slots hold nothing of it and its base is empty.
SettingsNews FollowSettingsFile(const LocalTime& now, const SlotSet& held) {
    const FileName path = AppFile(kSettingsFile);
    const FileStamp stamp = StampOf(path);
    if (known.Read && (!stamp.Exists || (stamp == known.Stamp && known.Seen == known.Base &&
                                         ++known.Looks < kLooksBetweenReads)))
        return {};
    std::string bytes;
    ReadResult read = ReadFileBytes(path, bytes, false);
    if (read == ReadResult::Failed || SetAsideIfBroken(read, bytes) == BrokenFile::Held ||
        (known.Read && read == ReadResult::Missing))
        return {};  // tried again at the next look, without holding the program up now
    known.Read = true;
    const StoredSlots file = ReadSlots(ProfileText(bytes));
    // What two copies changed differently stays as each has it, until a save settles it.
    return TakeMerge(MergeSlots(known.Base, StoredPartOfAll(), file, held, MergeFor::Look), file,
                     stamp, now);
}

bool SettingsFileRead() {
    return known.Read;
}

bool FileChangeWaits(int slot) {
    return known.Read && known.Seen[slot] != known.Base[slot] &&
           SameMemo(SlotTable[slot], known.Base[slot]);
}

}  // namespace haripon
