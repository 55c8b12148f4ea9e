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

// Set once the stored memos have been read: until then a save would replace them with the
// empty slots of a run that never saw them.
bool storedMemosRead = false;

}  // namespace

void ForgetSettingsFile() {
    storedMemosRead = false;
}

bool ReadSettings() {
    std::string bytes;
    const ReadResult result = ReadFileBytes(AppFile(kSettingsFile), bytes);
    SetVersionText(kVersionText);
    if (result == ReadResult::Failed)
        return false;

    const ProfileText profile(bytes);
    for (int i = 0; i < kSlotCount; ++i) {
        StoredSlot slot;
        for (const IntegerKey& key : kIntegerKeys) {
            slot.*key.field = profile.ReadInteger(kPostSection, SlotKey(i, key.suffix));
        }
        slot.Memo = profile.ReadString(kPostSection, SlotKey(i, "MEMO"));
        StoreSlot(i, slot);
    }
    storedMemosRead = true;
    return true;
}

bool WriteSettings() {
    if (!storedMemosRead)
        return FirstUsedSlot() < 0;

    const auto path = AppFile(kSettingsFile);
    std::string bytes;
    if (ReadFileBytes(path, bytes) == ReadResult::Failed)
        return false;

    ProfileText profile(bytes);
    for (int i = 0; i < kSlotCount; ++i) {
        const StoredSlot slot = StoredPartOf(SlotTable[i]);
        for (const IntegerKey& key : kIntegerKeys) {
            profile.WriteInteger(kPostSection, SlotKey(i, key.suffix), slot.*key.field);
        }
        profile.WriteString(kPostSection, SlotKey(i, "MEMO"), QuoteForProfile(slot.Memo));
    }
    profile.WriteString(kVersionSection, kVersionKey, VersionText);
    return ReplaceFileBytes(path, profile.Bytes());
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
