#include "model/conflict_copies.h"

#include "model/conflict_names.h"

#include "model/gone_memos.h"
#include "model/kept_memos.h"
#include "model/removed_memos.h"
#include "model/set_aside.h"
#include "model/settings_format.h"
#include "model/slot_table.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

bool Shows(const StoredSlots& slots, const StoredSlot& memo) {
    for (const StoredSlot& slot : slots) {
        if (SameMemo(slot, memo) || (!memo.Id.empty() && slot.Id == memo.Id))
            return true;
    }
    return false;
}

// Not one the user is writing in.
int FirstEmptyOf(const StoredSlots& slots, const SlotSet& held) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots[i].Memo.empty() && !held[i])
            return i;
    }
    return -1;
}

}  // namespace

ConflictCopiesTaken TakeConflictCopies(const LocalTime& now, const SlotSet& held) {
    std::vector<std::string> names;
    std::vector<std::string> taken;
    if (!SettingsFileRead() || !ListFiles(AppFolder, names))
        return {};
    StoredSlots slots = StoredPartOfAll();
    std::vector<std::pair<StoredSlot, std::string>> homeless;  // and the copy it came from
    SlotSet filled;
    for (const std::string& name : names) {
        std::string bytes;
        if (!IsConflictCopyName(name) || ReadFileBytes(AppFile(name), bytes) != ReadResult::Ok ||
            LooksBinary(bytes))
            continue;
        const ProfileText profile(bytes);
        const StoredSlots copy = ReadSlots(profile);
        TakeGone(ReadSharing(profile).Gone, now);
        for (int i = 0; i < kSlotCount; ++i) {
            if (copy[i].Memo.empty() || Shows(slots, copy[i]) || FindGone(KnownGone(), copy[i].Id))
                continue;
            const int at = slots[i].Memo.empty() && !held[i] ? i : FirstEmptyOf(slots, held);
            if (at >= 0) {
                slots[at] = copy[i];
                filled[at] = true;
            } else {
                homeless.emplace_back(copy[i], name);
            }
        }
        taken.push_back(name);
    }
    if (taken.empty())
        return {};
    for (int i = 0; i < kSlotCount; ++i)
        StoreSlot(i, slots[i]);
    ConflictCopiesTaken result;
    result.News.Changed = filled;
    std::vector<StoredSlot> memos;
    for (const auto& [memo, copy] : homeless)
        memos.push_back(memo);
    const Kept kept = KeepMemos(memos);
    result.News.MemosKept = kept == Kept::Added;
    if (kept == Kept::Failed)
        return result;
    // Kept as gone too, so that the copy that wrote them takes them off as well.
    for (const auto& [memo, copy] : homeless) {
        RecordGone(memo.Id, GoneWhy::Kept, now);
        KeepHomelessMemos({memo}, {GoneWhy::Kept, copy}, now);
    }
    const SettingsSaved saved = WriteSettings(now, held);
    result.News.Changed = saved.News.Changed | filled;
    result.News.MemosKept = result.News.MemosKept || saved.News.MemosKept;
    if (!saved.Done)
        return result;  // taken again at the next look: its memos are not taken twice
    for (const std::string& name : taken) {
        if (!SetAside(name, ".merged").empty())
            result.Names.push_back(name);
    }
    return result;
}

}  // namespace haripon
