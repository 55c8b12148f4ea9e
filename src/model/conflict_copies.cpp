#include "model/conflict_copies.h"

#include "model/kept_memos.h"
#include "model/set_aside.h"
#include "model/settings_format.h"
#include "model/slot_table.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

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

}  // namespace

bool IsConflictCopyName(std::string_view name) {
    constexpr std::string_view kIni = ".ini";
    const auto between = [&](std::string_view start, std::string_view end) {
        return name.size() > start.size() + end.size() && StartsWith(name, start) &&
               EndsWith(name, end);
    };
    return between("timpsd-", kIni) || between("timpsd (", ").ini") ||
           between("timpsd.sync-conflict-", kIni);
}

ConflictCopiesTaken TakeConflictCopies(const MemoWanted& wanted, const LocalTime& now) {
    std::vector<std::string> names;
    std::vector<std::string> taken;
    if (!SettingsFileRead() || !ListFiles(AppFolder, names))
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
    ConflictCopiesTaken result;
    const Kept kept = KeepMemos(homeless);
    result.News.MemosKept = kept == Kept::Added;
    if (kept == Kept::Failed)
        return result;
    const SettingsSaved saved = WriteSettings(now);
    result.News.Changed = saved.News.Changed;
    result.News.MemosKept = result.News.MemosKept || saved.News.MemosKept;
    if (!saved.Done)
        return result;  // taken again at the next start: its memos are not taken twice
    for (const std::string& name : taken) {
        if (!SetAside(name, ".merged").empty())
            result.Names.push_back(name);
    }
    return result;
}

}  // namespace haripon
