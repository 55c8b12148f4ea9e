#include "model/slot_table.h"

#include <gtest/gtest.h>

#include "slot_setup.h"

namespace haripon {
namespace {

using testing_support::SetMemoOf;

TEST(SlotTable, FirstUsedAndFirstFreeScanInSlotOrder) {
    ResetSlots();
    EXPECT_EQ(FirstUsedSlot(), -1);
    EXPECT_EQ(FirstFreeSlot(), 0);

    SetMemoOf(6, "last");
    EXPECT_EQ(FirstUsedSlot(), 6);
    EXPECT_EQ(FirstFreeSlot(), 0);

    for (int slot = 0; slot < kSlotCount; ++slot)
        SetMemoOf(slot, slot == 4 ? "" : "x");
    EXPECT_EQ(FirstUsedSlot(), 0);
    EXPECT_EQ(FirstFreeSlot(), 4);
    SetMemoOf(4, "x");
    EXPECT_EQ(FirstFreeSlot(), -1);
}

TEST(SlotTable, ReleaseKeepsTheMemosAndResetClearsEverything) {
    ResetSlots();
    ThemeValues theme;
    theme.Slots[1].LineCount = 3;
    UseTheme(theme);
    PostIntoSlot(1, "kept", ReminderTime{2030, 1, 2, 3, 4});
    ToggleSmallDisplay(1);
    PostIntoSlot(5, "untimed", std::nullopt);
    ReleaseAllSlots();
    for (const MemoSlot& slot : SlotTable)
        EXPECT_EQ(slot.HasMemo, 0);
    EXPECT_EQ(SlotTable[1].Memo, "kept");
    EXPECT_EQ(SlotTable[1].SmallDisplay, 1);

    ResetSlots();
    EXPECT_EQ(SlotTable[1].Memo, "");
    EXPECT_EQ(SlotTable[1].Time.Year, 0);
    EXPECT_EQ(SlotTable[1].SmallDisplay, 0);
    EXPECT_EQ(SlotTable[1].SlotTheme.LineCount, 0);
}

// A post sets the five time fields together, or none of them; emptying a slot clears its
// memo and unsets its time but keeps its place.
TEST(SlotTable, PostsAndEmptyingChangeTheTimeFieldsTogether) {
    ResetSlots();
    StoreSlotPosition(2, 40, 50);
    PostIntoSlot(2, "timed", ReminderTime{2030, 1, 2, 3, 4});
    EXPECT_EQ(StoredPartOf(SlotTable[2]), (StoredSlot{2030, 1, 2, 3, 4, 40, 50, 1, "timed", ""}));
    PostIntoSlot(2, "untimed", std::nullopt);
    EXPECT_EQ(StoredPartOf(SlotTable[2]),
              (StoredSlot{-1, -1, -1, -1, -1, 40, 50, 0, "untimed", ""}));
    EXPECT_EQ(SlotTable[2].HasMemo, 1);
    EmptySlot(2);
    EXPECT_EQ(StoredPartOf(SlotTable[2]), (StoredSlot{-1, -1, -1, -1, -1, 40, 50, 0, "", ""}));
    EXPECT_EQ(SlotTable[2].HasMemo, 0);
}

}  // namespace
}  // namespace haripon
