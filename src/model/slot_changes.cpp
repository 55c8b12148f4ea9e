#include "model/slot_changes.h"

#include "model/gone_memos.h"
#include "model/removed_memos.h"

namespace haripon {

namespace {

void KeepAsRemoved(int slot, Leaving why, const LocalTime& now,
                   const std::optional<LeftElsewhere>& elsewhere = std::nullopt) {
    constexpr GoneWhy kGone[] = {GoneWhy::Peeled, GoneWhy::Delivered, GoneWhy::Rewritten};
    if (why != Leaving::TakenFromElsewhere)
        RecordGone(SlotTable[slot].Id, kGone[static_cast<int>(why)], now);
    KeepRemovedMemo(slot, now, elsewhere);
}

}  // namespace

Departure TakeMemoOut(int slot, Leaving why, const LocalTime& now,
                      const std::optional<LeftElsewhere>& elsewhere) {
    const MemoSlot& memo = SlotTable[slot];
    const Departure departure{!memo.Memo.empty(), memo.TimeFlag != 0, why == Leaving::Delivered};
    KeepAsRemoved(slot, why, now, elsewhere);
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
