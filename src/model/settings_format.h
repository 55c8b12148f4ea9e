// The format of the settings file timpsd.ini: section POST with nine keys a slot (the
// reminder time's five, the place's two, the timer, the memo: POST1YEAR .. POST7MEMO),
// section VERSION and section FOLDER; and, after them, section SHARING, the program's own,
// which a program that knows nothing of it keeps as it is: the memos' ids (each with the
// fingerprint of its memo, so that one another program rewrote is known), the memos that left
// their slots lately, and which PC wrote the file. The numbers of a slot are read and written
// here for every file that keeps memos.
#pragma once

#include <string>
#include <string_view>

#include "model/gone_memos.h"
#include "model/slot_table.h"
#include "platform/core/profile.h"

namespace haripon {

inline constexpr char kSettingsFile[] = "timpsd.ini";

// A slot's eight numbers, the keys named by `prefix` and their suffixes ("POST1" + "YEAR"),
// in the files' order: the reminder time, the place, the timer. Absent keys read as 0.
void ReadSlotNumbers(const ProfileText& profile, std::string_view section, std::string_view prefix,
                     StoredSlot& slot);
void WriteSlotNumbers(ProfileText& profile, std::string_view section, std::string_view prefix,
                      const StoredSlot& slot);

StoredSlots ReadSlots(const ProfileText& profile);
// The seven slots in the order of the file, and the version text after them; the memos' ids
// in section SHARING (none for a file without one).
void WriteSlots(const StoredSlots& slots, std::string_view version, ProfileText& profile);

// The rest of section SHARING.
struct SharingRecord {
    std::string Writer;  // the PC that wrote the file last
    GoneList Gone;
};
SharingRecord ReadSharing(const ProfileText& profile);
void WriteSharing(const SharingRecord& record, ProfileText& profile);

// Key DATFOLDER of section FOLDER; empty when absent.
std::string ReadFolderKey(const ProfileText& profile);
void WriteFolderKey(ProfileText& profile, std::string_view folder);

}  // namespace haripon
