// The memos taken off their slots lately, and how one comes back.
#include "model/removed_memos.h"

#include <gtest/gtest.h>

#include "slot_setup.h"
#include "temp_folder.h"

namespace haripon {
namespace {

class RemovedMemos : public testing::Test {
  protected:
    void SetUp() override {
        SetAppFolder(folder_.Path().string() + "/");
        ResetSlots();
    }
    testing_support::TempFolder folder_{"removed"};
    static constexpr LocalTime kNow = Moment(2026, 12, 9, 12, 0);
};

TEST_F(RemovedMemos, TheLastTwentyAreKeptNewestFirst) {
    for (int n = 1; n <= kRemovedMemosKept + 1; ++n) {
        PostIntoSlot(n % kSlotCount, "memo " + std::to_string(n), ReminderTime{2030, 1, 2, 3, n});
        StoreSlotPosition(n % kSlotCount, 10 * n, 20 * n);
        KeepRemovedMemo(n % kSlotCount, kNow);
    }
    PostIntoSlot(0, "memo 22", std::nullopt);
    KeepRemovedMemo(0, kNow);
    KeepRemovedMemo(0, kNow);  // the same memo is kept once
    EmptySlot(1);
    KeepRemovedMemo(1, kNow);  // an empty slot leaves nothing behind
    const std::vector<RemovedMemo> memos = ReadRemovedMemos();
    ASSERT_EQ(memos.size(), static_cast<std::size_t>(kRemovedMemosKept));
    EXPECT_EQ(memos.front().Memo, StoredPartOf(SlotTable[0]));
    EXPECT_EQ(memos[1].Memo.Memo, "memo 21");
    EXPECT_EQ(memos[1].Slot, 0);
    EXPECT_EQ(memos.back().Memo.Memo, "memo 3");  // the first two went

    ForgetRemovedMemo(memos[1]);
    const std::vector<RemovedMemo> left = ReadRemovedMemos();
    EXPECT_EQ(left.size(), memos.size() - 1);
    EXPECT_EQ(left[1], memos[2]);
}

// Back into its own slot, else the first free one, else nowhere; its timer only while ahead.
TEST_F(RemovedMemos, OneComesBackWhereThereIsRoom) {
    RemovedMemo memo;
    memo.Memo = {2026, 12, 9, 10, 0, 5, 6, 1, "back", "gone.1"};
    memo.Slot = 3;
    EXPECT_EQ(SlotToRestoreInto(memo, SlotTable), 3);
    testing_support::SetMemoOf(3, "taken");
    testing_support::SetMemoOf(0, "taken");
    EXPECT_EQ(SlotToRestoreInto(memo, SlotTable), 1);
    EXPECT_EQ(SlotToRestoreInto(memo, SlotTable, SlotSet().set(1)), 2);  // 1 is being edited
    for (int slot = 0; slot < kSlotCount; ++slot)
        testing_support::SetMemoOf(slot, "taken");
    EXPECT_EQ(SlotToRestoreInto(memo, SlotTable), -1);

    EXPECT_EQ(AsRestored(memo, Moment(2026, 12, 9, 9, 59)), memo.Memo);
    EXPECT_NE(AsRestored(memo, kNow).Id, memo.Memo.Id);  // removed under its old id
    EXPECT_EQ(AsRestored(memo, Moment(2026, 12, 9, 10, 0)),
              (StoredSlot{-1, -1, -1, -1, -1, 5, 6, 0, "back", ""}));
}

// A hand edit's gap keeps the memos after it; a file that is no text is neither used nor
// written over.
TEST_F(RemovedMemos, AGapOrAFileThatIsNoText) {
    folder_.Write(kRemovedMemosFile, "[MEMO1]\r\nMEMO=one\r\n[MEMO3]\r\nMEMO=three\r\n");
    EXPECT_EQ(ReadRemovedMemos().size(), 2u);
    const std::string binary("[MEMO1]\0\0", 9);
    folder_.Write(kRemovedMemosFile, binary);
    testing_support::SetMemoOf(0, "kept?");
    KeepRemovedMemo(0, kNow);
    EXPECT_EQ(folder_.Read(kRemovedMemosFile), binary);
}

}  // namespace
}  // namespace haripon
