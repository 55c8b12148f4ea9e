// Several copies of the program on one settings file (PCs sharing a synchronised folder, two
// accounts on one PC): what this copy holds and what the file holds now are merged slot by
// slot, with what the file held when this copy last read or wrote it as their common base, so
// that nothing another copy wrote is lost.
#pragma once

#include <bitset>
#include <vector>

#include "model/gone_memos.h"
#include "model/slot_table.h"

namespace haripon {

using SlotSet = std::bitset<kSlotCount>;

// A merge for a save writes its result; one for a look at the file only shows it, and leaves
// what two copies changed differently for the next save to settle against the file as it is
// then.
enum class MergeFor { Save, Look };

struct SlotMerge {
    // What this copy holds and shows afterwards.
    StoredSlots Slots;
    // What the file is to hold when this copy writes it: the same, but for the slots that
    // wait (below), which keep the file's values.
    StoredSlots File;
    // The slots whose values came from the file, or from another slot of it: to be shown.
    SlotSet Changed;
    // The slots whose change from the file waits (the memo being edited, one whose memo a
    // look leaves for the save, one whose memo another slot shows for now): they keep their
    // base, so that the next merge meets the change again.
    SlotSet Waiting;
    // Memos that found no free slot at a save: to be kept beside the file.
    std::vector<StoredSlot> Homeless;
};

// Merges each slot in two parts, its memo (text, reminder time and timer) and its place:
// - a part only this copy changed keeps this copy's values, one only the file changed takes
//   the file's, one both changed alike is kept;
// - a place both changed differently keeps this copy's;
// - a memo both changed differently: an emptied side gives way to a written one; the same
//   text with another time keeps this copy's; two different texts both stay, this copy's in
//   its slot and the file's in the first free slot (or with the homeless, none being free),
//   unless a slot holds that memo already;
// - a memo the file brings that this copy shows in another slot it changed, or that waits,
//   is taken once that slot no longer shows it: never the same memo twice.
// `held`: the slots whose memo is being edited here. A change the file brings to one of them
// waits (the slot keeps its value, the file its own) until it is no longer held; a memo that
// would take its place goes to a free slot.
// `gone`: the memos that left their slots on purpose, here or elsewhere. A memo of the base
// that the file no longer holds anywhere, and that is not gone, was never seen by the copy
// that wrote the file (the two were apart when it was posted): its slot is merged as if it
// had been empty in the base, so that the memo stays. A memo without an id cannot be told so,
// and is taken as removed.
SlotMerge MergeSlots(const StoredSlots& base, const StoredSlots& mine, const StoredSlots& file,
                     SlotSet held = {}, MergeFor purpose = MergeFor::Save,
                     const GoneList& gone = {});

}  // namespace haripon
