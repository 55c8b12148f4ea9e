// The memos that left their slots lately (peeled off, delivered by their reminder, emptied or
// replaced by a rewrite), so that one taken off by a slip can be brought back. They are kept
// in a file of their own beside timpsd.ini, shared like it by every copy of the program on
// the folder: each change reads the file first, so that nothing another copy kept is lost.
#pragma once

#include <vector>

#include "model/slot_merge.h"
#include "model/slot_table.h"

namespace haripon {

inline constexpr char kRemovedMemosFile[] = "removed-memos.ini";
inline constexpr int kRemovedMemosKept = 20;

struct RemovedMemo {
    StoredSlot Memo;  // its text, reminder time, timer and place
    int Slot = 0;
    LocalTime LeftAt;
};
bool operator==(const RemovedMemo& a, const RemovedMemo& b);

// Newest first; none when the file is missing or cannot be read.
std::vector<RemovedMemo> ReadRemovedMemos();

// The slot's memo, if it holds one, kept as leaving it `now`; the oldest beyond the last 20
// goes. A file that cannot be written keeps nothing and changes nothing else.
void KeepRemovedMemo(int slot, const LocalTime& now);

// The memo taken out of the file, as it comes back.
void ForgetRemovedMemo(const RemovedMemo& memo);

// Where a removed memo comes back: its own slot when that is free, else the first free one;
// -1 when none is. A slot being edited (`held`) is not free.
int SlotToRestoreInto(const RemovedMemo& memo, const std::array<MemoSlot, kSlotCount>& slots,
                      const SlotSet& held = {});

// The memo as it comes back: with its reminder only while that is still ahead of `now` (one
// already delivered comes back without it).
StoredSlot AsRestored(const RemovedMemo& memo, const DateTimeRecord& now);

}  // namespace haripon
