// The settings file timpsd.ini beside the executable: the seven memo slots, the version
// text and the folder of the active theme. Other copies of the program may share the file
// (PCs on a synchronised folder, two accounts on one PC): nothing one of them wrote is ever
// written over unseen, and each follows what the others write.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/slot_merge.h"

namespace haripon {

inline constexpr char kSettingsFile[] = "timpsd.ini";
// Memos from another copy that found no free slot, one a line (Shift-JIS).
inline constexpr char kKeptMemosFile[] = "timpsd-kept.txt";

// What the windows learn of the file.
class SettingsListener {
  public:
    virtual ~SettingsListener() = default;
    // The slots whose memo the user is editing now: what another copy wrote into one of
    // them waits until the user is done.
    virtual SlotSet SlotsBeingEdited() const = 0;
    // The slots now hold what another copy wrote: their windows follow.
    virtual void SlotsChangedElsewhere(const SlotSet& slots) = 0;
    // Memos another copy wrote found no free slot: they are kept in kKeptMemosFile.
    virtual void MemosKept() = 0;
    // The settings file was found broken: SettingsSetAside says what became of it.
    virtual void BrokenFileSetAside() = 0;
};
void ListenToSettings(SettingsListener* listener);

// Fills the stored fields of all seven slots from section POST and sets VersionText.
// False when the file exists but could not be read; the slots then keep their values. A file
// that is no text (a broken disk sector, a bad synchronisation), met by this read or any
// later one, is read as far as it can be and set aside under a new name, never written over:
// while it cannot be set aside, every save fails.
bool ReadSettings();
// What the user is to be told of a broken file, once: the name it was set aside under, or
// that it could not be and is not written; empty when there is nothing to tell.
std::string SettingsSetAside();

// Writes all seven slots and the version text, merged first with what another copy wrote
// since this one last read or wrote the file. The day's first save keeps the file as it was
// in timpsd.ini.1 (the older ones move up to timpsd.ini.7). False when the file could not be read
// or written; it then stays as it was. A run that never read the stored memos leaves them alone,
// and reports a failure only if it holds memos of its own that are not saved.
bool WriteSettings();

// The file looked at (its size and last write): what other copies changed since this one
// last read or wrote it is taken into the slots this copy has not changed; a file that could
// not be read at start is read now, if it can be. Nothing is written.
void FollowSettingsFile();
// True when the file holds a change to the slot that waits (the memo being edited here): the
// memo may have been delivered or peeled off elsewhere, and is not due here meanwhile.
bool FileChangeWaits(int slot);

// A run that has not read the file yet: until it does, a save leaves the stored memos alone.
void ForgetSettingsFile();

// Whether the folder takes the program's files: a new file beside the settings file, and the
// settings file itself written. Where it does not (a folder the user may not write, one that
// Controlled Folder Access protects, a read-only share), saves are tried once, not waited on.
enum class SettingsWrites { Taken, FolderRefuses, FileReadOnly };
SettingsWrites SettingsFolderTakesWrites();

// The copies of timpsd.ini a synchronising service makes beside it when two PCs changed it
// at once (OneDrive: timpsd-PC.ini; Dropbox, Nextcloud, Google Drive: timpsd (…).ini;
// Syncthing: timpsd.sync-conflict-….ini), ASCII letters in any case.
bool IsConflictCopyName(std::string_view name);

// Takes the memos that only the conflict copies beside the file hold and that are `wanted`,
// each into its own slot where that is free, else the first free one (or kept beside the
// file), saves, and renames each copy so that it is not taken twice. The names of the copies
// taken and renamed; none when there were none, or the save failed (they are taken at the
// next start then).
using MemoWanted = std::function<bool(const StoredSlot& memo)>;
std::vector<std::string> TakeConflictCopies(const MemoWanted& wanted);

// Key DATFOLDER of section FOLDER; empty when absent or unreadable.
std::string ReadThemeFolder();
// ThemeFolder read again from the file, as each window that shows the theme does at its
// creation.
void RereadThemeFolder();

// Sets key DATFOLDER of section FOLDER, changing nothing else in the file. Throws, with the
// system's text, when the file cannot be read or written; it then stays as it was.
void WriteThemeFolder(std::string_view folder);

}  // namespace haripon
