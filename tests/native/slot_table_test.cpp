#include "model/slot_table.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

TEST(SlotTable, FirstUsedAndFirstFreeScanInSlotOrder) {
    ResetSlots();
    EXPECT_EQ(FirstUsedSlot(), -1);
    EXPECT_EQ(FirstFreeSlot(), 0);

    SlotTable[6].Memo = "last";
    EXPECT_EQ(FirstUsedSlot(), 6);
    EXPECT_EQ(FirstFreeSlot(), 0);

    for (MemoSlot& slot : SlotTable)
        slot.Memo = "x";
    SlotTable[4].Memo.clear();
    EXPECT_EQ(FirstUsedSlot(), 0);
    EXPECT_EQ(FirstFreeSlot(), 4);
    SlotTable[4].Memo = "x";
    EXPECT_EQ(FirstFreeSlot(), -1);
}

TEST(SlotTable, ReleaseKeepsTheMemosAndResetClearsEverything) {
    ResetSlots();
    SlotTable[1].Memo = "kept";
    SlotTable[1].HasMemo = 1;
    SlotTable[1].SmallDisplay = 1;
    SlotTable[1].SlotTheme.LineCount = 3;
    SlotTable[5].HasMemo = 1;
    ReleaseAllSlots();
    for (const MemoSlot& slot : SlotTable)
        EXPECT_EQ(slot.HasMemo, 0);
    EXPECT_EQ(SlotTable[1].Memo, "kept");
    EXPECT_EQ(SlotTable[1].SmallDisplay, 1);

    SlotTable[1].Year = -1;
    ResetSlots();
    EXPECT_EQ(SlotTable[1].Memo, "");
    EXPECT_EQ(SlotTable[1].Year, 0);
    EXPECT_EQ(SlotTable[1].SmallDisplay, 0);
    EXPECT_EQ(SlotTable[1].SlotTheme.LineCount, 0);
}

}  // namespace
}  // namespace haripon
