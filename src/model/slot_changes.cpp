#include "model/slot_changes.h"

#include "model/removed_memos.h"

namespace haripon {

namespace {

// What the user takes off can be brought back; another copy keeps what it took off there.
void KeepAsRemoved(int slot, Leaving why, const LocalTime& now) {
    if (why != Leaving::TakenFromElsewhere)
        KeepRemovedMemo(slot, now);
}

}  // namespace

Departure TakeMemoOut(int slot, Leaving why, const LocalTime& now) {
    const MemoSlot& memo = SlotTable[slot];
    const Departure departure{!memo.Memo.empty(), memo.TimeFlag != 0, why == Leaving::Delivered};
    KeepAsRemoved(slot, why, now);
    EmptySlot(slot);
    return departure;
}

void TakeMemoIn(int slot, std::string_view text, const std::optional<ReminderTime>& time,
                const LocalTime& now) {
    if (text != SlotTable[slot].Memo)
        KeepAsRemoved(slot, Leaving::Rewritten, now);
    PostIntoSlot(slot, text, time);
}

}  // namespace haripon
