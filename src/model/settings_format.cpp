#include "model/settings_format.h"

namespace haripon {

namespace {

constexpr char kPostSection[] = "POST";
constexpr char kVersionSection[] = "VERSION";
constexpr char kVersionKey[] = "VERSION";
constexpr char kFolderSection[] = "FOLDER";
constexpr char kFolderKey[] = "DATFOLDER";

constexpr const char* kTimeKeys[kTimeFieldCount] = {"YEAR", "MONTH", "DAY", "TIML", "TIMM"};

// The numbers after the time, in the order of the files.
struct NumberKey {
    const char* suffix;
    std::int32_t StoredSlot::*field;
};
constexpr NumberKey kNumberKeys[] = {
    {"TOP", &StoredSlot::Top}, {"LEFT", &StoredSlot::Left}, {"TIMEFLAG", &StoredSlot::TimeFlag}};

std::string Key(std::string_view prefix, const char* suffix) {
    return std::string(prefix) + suffix;
}

std::string SlotPrefix(int index) {
    return "POST" + std::to_string(index + 1);
}

}  // namespace

void ReadSlotNumbers(const ProfileText& profile, std::string_view section, std::string_view prefix,
                     StoredSlot& slot) {
    for (int i = 0; i < kTimeFieldCount; ++i)
        slot.Time.*kTimeFields[i] = profile.ReadInteger(section, Key(prefix, kTimeKeys[i]));
    for (const NumberKey& key : kNumberKeys)
        slot.*key.field = profile.ReadInteger(section, Key(prefix, key.suffix));
}

void WriteSlotNumbers(ProfileText& profile, std::string_view section, std::string_view prefix,
                      const StoredSlot& slot) {
    for (int i = 0; i < kTimeFieldCount; ++i)
        profile.WriteInteger(section, Key(prefix, kTimeKeys[i]), slot.Time.*kTimeFields[i]);
    for (const NumberKey& key : kNumberKeys)
        profile.WriteInteger(section, Key(prefix, key.suffix), slot.*key.field);
}

StoredSlots ReadSlots(const ProfileText& profile) {
    StoredSlots slots;
    for (int i = 0; i < kSlotCount; ++i) {
        ReadSlotNumbers(profile, kPostSection, SlotPrefix(i), slots[i]);
        slots[i].Memo = profile.ReadString(kPostSection, Key(SlotPrefix(i), "MEMO"));
    }
    return slots;
}

void WriteSlots(const StoredSlots& slots, std::string_view version, ProfileText& profile) {
    for (int i = 0; i < kSlotCount; ++i) {
        WriteSlotNumbers(profile, kPostSection, SlotPrefix(i), slots[i]);
        profile.WriteString(kPostSection, Key(SlotPrefix(i), "MEMO"),
                            QuoteForProfile(slots[i].Memo));
    }
    profile.WriteString(kVersionSection, kVersionKey, version);
}

std::string ReadFolderKey(const ProfileText& profile) {
    return profile.ReadString(kFolderSection, kFolderKey);
}

void WriteFolderKey(ProfileText& profile, std::string_view folder) {
    profile.WriteString(kFolderSection, kFolderKey, folder);
}

}  // namespace haripon
