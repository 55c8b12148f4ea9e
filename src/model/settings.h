// The settings file timpsd.ini beside the executable, shared with other copies of the program
// (PCs on a synchronised folder, two accounts on one PC): every save merges what another copy
// wrote since this one last read or wrote the file, so that nothing of it is written over
// unseen, and every check takes what the others changed. Nothing here shows anything: each
// operation returns what it brought, and the caller shows it.
#pragma once

#include <string>

#include "model/slot_merge.h"
#include "platform/core/local_clock.h"

namespace haripon {

// What a look or a save brought, for the windows once it is over.
struct SettingsNews {
    // The slots that hold what another copy wrote: their windows follow.
    SlotSet Changed;
    // Memos another copy wrote found no free slot: they were added to kKeptMemosFile.
    bool MemosKept = false;
    // The file's bytes were read (at least once a minute): what else other copies left
    // beside it is worth a look too.
    bool FileRead = false;
};

struct SettingsSaved {
    bool Done = false;
    SettingsNews News;
};

// The name this copy writes into the file as its writer: the PC's, unless set.
void SetCopyName(std::string name);

// Fills the stored fields of all seven slots from section POST and sets VersionText.
// False when the file exists but could not be read; the slots then keep their values. A file
// that is no text is read as far as it can be, set aside (broken_file.h) and its memos saved
// at once into a new file (`now`: for that save).
bool ReadSettings(const LocalTime& now);
// The read failed for a file online only that its synchronising service has not brought yet:
// nothing to tell, it is read at a later check.
bool SettingsFileComesLater();

// Writes all seven slots and the version text, merged first with what another copy wrote
// since this one last read or wrote the file. `held`: the slots whose memo the user is editing
// here, whose change from the file waits. The day's first save (by `now`) keeps the file as it
// was (daily_copies.h). Not done when the file could not be read or written; it then stays as
// it was. A run that never read the stored memos leaves them alone, and fails only if it holds
// memos of its own that are not saved.
SettingsSaved WriteSettings(const LocalTime& now, const SlotSet& held = {});

// The file looked at (its size and last write): what other copies changed since this one
// last read or wrote it is taken into the slots this copy has not changed; a file that could
// not be read at start is read now, if it can be. A file that is no text is looked at again
// at the next look (it may be in the middle of a synchronisation). Nothing is written.
SettingsNews FollowSettingsFile(const LocalTime& now, const SlotSet& held = {});
// True when the file holds a change to the slot that waits (the memo being edited here): the
// memo may have been delivered or peeled off elsewhere, and is not due here meanwhile.
bool FileChangeWaits(int slot);

// A run that has not read the file yet: until it does, a save leaves the stored memos alone.
void ForgetSettingsFile();
// Whether this run has read the stored memos.
bool SettingsFileRead();

// Whether the folder takes the program's files: a new file beside the settings file, and the
// settings file itself written. Where it does not (a folder the user may not write, one that
// Controlled Folder Access protects, a read-only share), saves are tried once, not waited on.
enum class SettingsWrites { Taken, FolderRefuses, FileReadOnly };
SettingsWrites SettingsFolderTakesWrites();

}  // namespace haripon
