// The memos that left their slots lately, so that one taken off by a slip, or by a mistake of
// the merge with another copy, can be brought back: peeled off, delivered by their reminder,
// emptied or replaced by a rewrite here; taken off by another copy's change, or kept beside
// the file for want of a free slot. They are kept in a file of their own beside timpsd.ini,
// shared like it by every copy of the program on the folder: each change reads the file
// first, so that nothing another copy kept is lost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/gone_memos.h"
#include "model/slot_merge.h"
#include "model/slot_table.h"

namespace haripon {

inline constexpr char kRemovedMemosFile[] = "removed-memos.ini";
inline constexpr int kRemovedMemosKept = 20;

// Why a memo left, where it was not this copy's user: what another copy did with it, and
// where that was.
struct LeftElsewhere {
    GoneWhy Why = GoneWhy::Peeled;
    std::string From;
};

struct RemovedMemo {
    StoredSlot Memo;  // its text, reminder time, timer and place, and its id
    int Slot = 0;
    LocalTime LeftAt;
    std::optional<LeftElsewhere> Elsewhere;  // none: this PC's user took it off
    bool Seen = true;  // one kept for want of a slot: told on every PC until seen
};
bool operator==(const RemovedMemo& a, const RemovedMemo& b);

// Newest first; none when the file is missing or cannot be read.
std::vector<RemovedMemo> ReadRemovedMemos();

// The slot's memo, if it holds one, kept as leaving it `now` (`elsewhere`: by another copy's
// doing), once; the oldest beyond the last 20 goes. A file that cannot be used keeps nothing,
// changes nothing else, and is told once (RemovedMemosRefused).
void KeepRemovedMemo(int slot, const LocalTime& now,
                     const std::optional<LeftElsewhere>& elsewhere = std::nullopt);
// Memos another copy wrote that found no free slot, kept as unseen.
void KeepHomelessMemos(const std::vector<StoredSlot>& memos, const LeftElsewhere& why,
                       const LocalTime& now);
// The memos kept for want of a slot that no PC's user has seen yet, and their marking as seen.
std::vector<RemovedMemo> UnseenKeptMemos();
void MarkKeptMemosSeen(const std::vector<RemovedMemo>& memos);

// What the user is to be told, once, of a removed memos' file that cannot be used; empty when
// nothing.
std::string RemovedMemosRefused();

// The memo taken out of the file, as it comes back.
void ForgetRemovedMemo(const RemovedMemo& memo);

// Where a removed memo comes back: its own slot when that is free, else the first free one;
// -1 when none is. A slot being edited (`held`) is not free.
int SlotToRestoreInto(const RemovedMemo& memo, const std::array<MemoSlot, kSlotCount>& slots,
                      const SlotSet& held = {});

// The memo as it comes back: with its reminder only while that is still ahead of `now` (one
// already delivered comes back without it), under a new id.
StoredSlot AsRestored(const RemovedMemo& memo, const DateTimeRecord& now);

}  // namespace haripon
