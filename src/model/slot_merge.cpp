#include "model/slot_merge.h"

#include <algorithm>
#include <utility>

namespace haripon {

namespace {

// A memo that lost its slot comes up this far below the memo it shared the slot with, about a
// strip's height, so as not to lie hidden under it.
constexpr std::int32_t kDisplacedDrop = 24;

bool SamePlace(const StoredSlot& a, const StoredSlot& b) {
    return a.Top == b.Top && a.Left == b.Left;
}

void TakeMemo(StoredSlot& into, const StoredSlot& from) {
    const std::int32_t top = into.Top;
    const std::int32_t left = into.Left;
    into = from;
    into.Top = top;
    into.Left = left;
}

// Unchanged: the same memo, and not one removed and posted again with the same text, which
// has another id.
bool Unchanged(const StoredSlot& a, const StoredSlot& b) {
    return SameMemo(a, b) && (a.Id.empty() || b.Id.empty() || a.Id == b.Id);
}

bool Holds(const StoredSlots& slots, const StoredSlot& memo) {
    return std::any_of(slots.begin(), slots.end(), [&](const StoredSlot& slot) {
        return SameMemo(slot, memo) || (!memo.Id.empty() && slot.Id == memo.Id);
    });
}

// The base as the copy that wrote the file had it: without the memos it never saw.
StoredSlots BaseSeenByFile(const StoredSlots& base, const StoredSlots& file, const GoneList& gone) {
    StoredSlots seen = base;
    for (StoredSlot& memo : seen) {
        if (memo.Memo.empty() || memo.Id.empty() || FindGone(gone, memo.Id) || Holds(file, memo))
            continue;
        memo.Memo.clear();
        memo.Id.clear();
        memo.Time = ReminderTime::None();
        memo.TimeFlag = 0;
    }
    return seen;
}

// The file as it stands once what left on purpose is gone from it too: a file written by a
// copy that had not heard of a removal yet (a conflict, a file delivered late) brings nothing
// back.
StoredSlots FileWithoutGone(StoredSlots file, const GoneList& gone) {
    for (StoredSlot& memo : file) {
        if (!memo.Id.empty() && FindGone(gone, memo.Id)) {
            memo.Memo.clear();
            memo.Id.clear();
            memo.Time = ReminderTime::None();
            memo.TimeFlag = 0;
        }
    }
    return file;
}

}  // namespace

SlotMerge MergeSlots(const StoredSlots& seenBase, const StoredSlots& mine,
                     const StoredSlots& fileAsRead, SlotSet held, MergeFor purpose,
                     const GoneList& gone) {
    const StoredSlots file = FileWithoutGone(fileAsRead, gone);
    const StoredSlots base = BaseSeenByFile(seenBase, file, gone);
    SlotMerge merge;
    merge.Slots = mine;
    SlotSet& waiting = merge.Waiting;
    // A memo this copy shows in a slot it changed itself.
    const auto shownHere = [&](int i, const std::string& text) {
        for (int j = 0; j < kSlotCount; ++j) {
            if (j != i && !text.empty() && mine[j].Memo == text &&
                (!Unchanged(mine[j], base[j]) || held[j]))
                return true;
        }
        return false;
    };
    // The file's memos that lost their slot to this copy's, with the slot.
    std::vector<std::pair<int, StoredSlot>> displaced;
    for (int i = 0; i < kSlotCount; ++i) {
        StoredSlot& slot = merge.Slots[i];
        const bool changedHere = !Unchanged(mine[i], base[i]);
        const bool changedThere = !Unchanged(file[i], base[i]);
        if (changedThere && !changedHere && (held[i] || shownHere(i, file[i].Memo))) {
            waiting[i] = true;
            continue;
        }
        if (changedThere && !changedHere) {
            TakeMemo(slot, file[i]);
            merge.Changed[i] = true;
        } else if (changedThere && !SameMemo(mine[i], file[i]) && !file[i].Memo.empty() &&
                   file[i].Memo != mine[i].Memo) {
            if (mine[i].Memo.empty() && !held[i]) {
                TakeMemo(slot, file[i]);
                merge.Changed[i] = true;
            } else if (purpose == MergeFor::Look) {
                waiting[i] = true;
            } else {
                displaced.emplace_back(i, file[i]);
                displaced.back().second.Top += kDisplacedDrop;
            }
        }
        if (SamePlace(mine[i], base[i]) && !SamePlace(file[i], base[i]) && !waiting[i]) {
            slot.Top = file[i].Top;
            slot.Left = file[i].Left;
            merge.Changed[i] = true;
        }
    }
    for (const auto& placed : displaced) {
        const StoredSlot& memo = placed.second;
        if (Holds(merge.Slots, memo))
            continue;
        int free = 0;
        while (free < kSlotCount &&
               (!merge.Slots[free].Memo.empty() || held[free] || waiting[free]))
            ++free;
        if (free == kSlotCount) {
            merge.Homeless.push_back(memo);
            continue;
        }
        merge.Slots[free] = memo;
        merge.Changed[free] = true;
    }
    merge.File = merge.Slots;
    for (int i = 0; i < kSlotCount; ++i) {
        if (waiting[i])
            merge.File[i] = file[i];
    }
    return merge;
}

}  // namespace haripon
