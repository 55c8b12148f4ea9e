// Slots set up by a test as the settings file or a user would leave them, through the
// model's own functions.
#pragma once

#include "model/settings.h"
#include "model/slot_table.h"

namespace haripon::testing_support {

// The slot's stored fields, changed by `change` and taken by the slot.
template <typename Change>
void ChangeSlot(int slot, Change&& change) {
    StoredSlot stored = StoredPartOf(SlotTable[slot]);
    change(stored);
    StoreSlot(slot, stored);
}

// A save as the program makes one, at the clock's moment: true when it was done.
inline bool SaveSettingsNow() {
    return WriteSettings(ReadLocalClock()).Done;
}

inline void SetMemoOf(int slot, const std::string& memo) {
    ChangeSlot(slot, [&](StoredSlot& stored) { stored.Memo = memo; });
}

}  // namespace haripon::testing_support
