// How a memo comes into its slot and how it leaves it: each the one way, for every window.
#pragma once

#include <optional>
#include <string_view>

#include "model/removed_memos.h"
#include "model/slot_table.h"

namespace haripon {

// Why a memo leaves its slot.
enum class Leaving {
    PeeledHere,          // peeled off in the editor or from its strip
    Delivered,           // its reminder was closed
    Rewritten,           // emptied or replaced by a rewrite in the editor
    TakenFromElsewhere,  // another copy's change to the slot, taken from the file
};

struct Departure {
    bool Left = false;      // the slot held a memo, and is empty now
    bool WasTimed = false;  // the slot's timer before
    bool SaveNow = false;   // the file is to be written now; else with the next save
};

// The slot's memo leaves it, and is kept in the removed memos' file (`now`: when it left), so
// that one taken off by a slip, or by another copy (`elsewhere`: what it did, and where), can
// be brought back. What this copy's user takes off is remembered as gone, so that the other
// copies take it off too. A delivery is written at once; a peel-off waits for the next save;
// a rewrite is written by the rewrite itself.
Departure TakeMemoOut(int slot, Leaving why, const LocalTime& now,
                      const std::optional<LeftElsewhere>& elsewhere = std::nullopt);

// The editor's post or rewrite, once its boxes passed their check: the text with its reminder
// time, or with none (timer off), in one step. A memo it replaces or empties leaves as
// rewritten.
void TakeMemoIn(int slot, std::string_view text, const std::optional<ReminderTime>& time,
                const LocalTime& now);

}  // namespace haripon
