#include "model/settings_format.h"

#include "model/memo_ids.h"

namespace haripon {

namespace {

constexpr char kPostSection[] = "POST";
constexpr char kVersionSection[] = "VERSION";
constexpr char kVersionKey[] = "VERSION";
constexpr char kFolderSection[] = "FOLDER";
constexpr char kFolderKey[] = "DATFOLDER";
constexpr char kSharingSection[] = "SHARING";
constexpr char kWriterKey[] = "WRITER";

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

std::string GoneKey(std::size_t index) {
    return "GONE" + std::to_string(index + 1);
}

// FNV-1a.
void Mix(std::uint32_t& hash, std::string_view bytes) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 16777619u;
    }
}

// What a memo holds (its text, reminder time and timer) in eight hexadecimal digits: the id
// kept beside a slot whose memo another program rewrote no longer matches it.
std::string MemoFingerprint(const StoredSlot& memo) {
    std::uint32_t hash = 2166136261u;
    Mix(hash, memo.Memo);
    for (const auto field : kTimeFields)
        Mix(hash, "\t" + std::to_string(memo.Time.*field));
    Mix(hash, "\t" + std::to_string(memo.TimeFlag));
    return Hex8(hash);
}

// "id fingerprint": the id, when the fingerprint is the memo's.
std::string ReadId(const ProfileText& profile, int index, const StoredSlot& memo) {
    const std::string value = profile.ReadString(kSharingSection, Key(SlotPrefix(index), "ID"));
    const std::size_t blank = value.find(' ');
    if (blank == std::string::npos || memo.Memo.empty() ||
        value.substr(blank + 1) != MemoFingerprint(memo))
        return {};
    return value.substr(0, blank);
}

// An id is written for a memo that has one; a key written before is emptied with its memo.
void WriteId(ProfileText& profile, int index, const StoredSlot& memo) {
    const std::string key = Key(SlotPrefix(index), "ID");
    const bool held = !memo.Memo.empty() && !memo.Id.empty();
    if (held || profile.Find(kSharingSection, key))
        profile.WriteString(kSharingSection, key,
                            held ? memo.Id + " " + MemoFingerprint(memo) : std::string());
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
        slots[i].Id = ReadId(profile, i, slots[i]);
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
    for (int i = 0; i < kSlotCount; ++i)
        WriteId(profile, i, slots[i]);
}

SharingRecord ReadSharing(const ProfileText& profile) {
    SharingRecord record;
    record.Writer = profile.ReadString(kSharingSection, kWriterKey);
    for (std::size_t i = 0; i < kGoneKept; ++i) {
        const auto value = profile.Find(kSharingSection, GoneKey(i));
        if (!value)
            break;
        GoneMemo gone;
        const std::size_t first = value->find(' ');
        const std::size_t second = value->find(' ', first == std::string::npos ? first : first + 1);
        if (second == std::string::npos || second + 2 != value->size())
            continue;  // not as this program writes it
        gone.Id = value->substr(0, first);
        gone.Day = ParseProfileInt(value->substr(first + 1, second - first - 1), 0);
        gone.Why = static_cast<GoneWhy>((*value)[second + 1]);
        record.Gone.push_back(gone);
    }
    return record;
}

static bool HasSharing(const ProfileText& profile) {
    bool ids = false;
    for (int i = 0; i < kSlotCount && !ids; ++i)
        ids = profile.Find(kSharingSection, Key(SlotPrefix(i), "ID")).has_value();
    return ids || profile.Find(kSharingSection, kWriterKey);
}

// Written only once there is something to tell: a file without memos stays as it was.
void WriteSharing(const SharingRecord& record, ProfileText& profile) {
    if (record.Gone.empty() && !HasSharing(profile))
        return;
    profile.WriteString(kSharingSection, kWriterKey, record.Writer);
    std::size_t i = 0;
    for (; i < record.Gone.size(); ++i) {
        const GoneMemo& gone = record.Gone[i];
        profile.WriteString(kSharingSection, GoneKey(i),
                            gone.Id + " " + std::to_string(gone.Day) + " " +
                                std::string(1, static_cast<char>(gone.Why)));
    }
    for (; profile.Find(kSharingSection, GoneKey(i)); ++i)
        profile.WriteString(kSharingSection, GoneKey(i), "");  // fewer than before
}

std::string ReadFolderKey(const ProfileText& profile) {
    return profile.ReadString(kFolderSection, kFolderKey);
}

void WriteFolderKey(ProfileText& profile, std::string_view folder) {
    profile.WriteString(kFolderSection, kFolderKey, folder);
}

}  // namespace haripon
