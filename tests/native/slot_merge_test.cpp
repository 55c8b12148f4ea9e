// Two copies of the program on one settings file: what each keeps of the other's changes.
#include "model/slot_merge.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

StoredSlot Memo(const char* text, std::int32_t top = 0, std::int32_t year = kNotSet) {
    return {year,
            year == kNotSet ? kNotSet : 1,
            year == kNotSet ? kNotSet : 1,
            year == kNotSet ? kNotSet : 9,
            0,
            top,
            0,
            year == kNotSet ? 0 : 1,
            text,
            ""};
}

// The first slot as the base, this copy and the file give it; every other slot holds "other"
// in all three when `full`, else nothing.
struct Case {
    const char* what;
    StoredSlot base, mine, file;
    bool held;
    bool full;
    // Afterwards: the first slot, the second, and the file's first slot.
    StoredSlot slot, second, fileSlot;
    bool changed;           // the first slot took the file's values
    const char* homeless;   // a memo kept beside the file, or none
    const char* gone = "";  // the id of a memo that left on purpose
};

StoredSlot WithId(StoredSlot memo, const char* id) {
    memo.Id = id;
    return memo;
}

const StoredSlot none = Memo("");
const StoredSlot other = Memo("other");

TEST(SlotMerge, EachSlotKeepsWhatEitherCopyChanged) {
    const StoredSlot a = Memo("a"), b = Memo("b"), c = Memo("c");
    const Case cases[] = {
        {"unchanged", a, a, a, false, false, a, none, a, false, nullptr},
        {"changed here", a, b, a, false, false, b, none, b, false, nullptr},
        {"changed there", a, a, b, false, false, b, none, b, true, nullptr},
        {"both alike", a, b, b, false, false, b, none, b, false, nullptr},
        {"both differently", a, b, c, false, false, b, Memo("c", 24), b, false, nullptr},
        {"peeled here, untouched there", a, none, a, false, false, none, none, none, false,
         nullptr},
        {"peeled here, rewritten there", a, none, c, false, false, c, none, c, true, nullptr},
        {"rewritten here, peeled there", a, b, none, false, false, b, none, b, false, nullptr},
        {"moved here, rewritten there", a, Memo("a", 50), c, false, false, Memo("c", 50), none,
         Memo("c", 50), true, nullptr},
        {"timer set here, cleared there", Memo("a", 0, 2030), Memo("a", 0, 2031), a, false, false,
         Memo("a", 0, 2031), none, Memo("a", 0, 2031), false, nullptr},
        {"being edited: the file's change waits", a, a, b, true, false, a, none, b, false, nullptr},
        {"being edited, peeled: the file's memo goes elsewhere", a, none, c, true, false, none,
         Memo("c", 24), none, false, nullptr},
        {"no free slot: kept beside the file", a, b, c, false, true, b, other, b, false, "c"},
        {"its text shown already: not twice", a, b, other, false, true, b, other, b, false,
         nullptr},
        {"peeled here and brought back", WithId(a, "1"), WithId(a, "2"), WithId(a, "1"), false,
         false, WithId(a, "2"), none, WithId(a, "2"), false, nullptr, "1"},
        {"peeled there and brought back", WithId(a, "1"), WithId(a, "1"), WithId(a, "2"), false,
         false, WithId(a, "2"), none, WithId(a, "2"), true, nullptr, "1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        StoredSlots base, mine, file;
        base[0] = test.base;
        mine[0] = test.mine;
        file[0] = test.file;
        for (int i = 1; i < kSlotCount; ++i)
            base[i] = mine[i] = file[i] = test.full ? other : none;
        SlotSet held;
        held[0] = test.held;
        const SlotMerge merge = MergeSlots(base, mine, file, held, MergeFor::Save,
                                           {{test.gone, 20261209, GoneWhy::Peeled}});
        EXPECT_EQ(merge.Slots[0], test.slot);
        EXPECT_EQ(merge.Slots[0].Id, test.slot.Id);
        EXPECT_EQ(merge.Slots[1], test.full ? other : test.second);
        EXPECT_EQ(merge.File[0], test.fileSlot);
        EXPECT_EQ(merge.Changed[0], test.changed);
        EXPECT_EQ(merge.Waiting[0], test.held && test.slot != test.fileSlot);
        ASSERT_EQ(merge.Homeless.size(), test.homeless ? 1u : 0u);
        EXPECT_EQ(test.homeless ? merge.Homeless[0].Memo : "", test.homeless ? test.homeless : "");
    }
}

// The other copy moved this copy's memo aside (it wrote another into its slot): while the
// memo is being edited here neither shows twice; a look leaves two different memos of one
// slot for the save, which keeps both.
TEST(SlotMerge, NoMemoShowsTwiceAndALookSettlesNothing) {
    StoredSlots base, mine, file;
    for (int i = 0; i < kSlotCount; ++i)
        base[i] = mine[i] = file[i] = none;
    base[0] = mine[0] = Memo("a");
    file[0] = Memo("c");
    file[1] = Memo("a");
    const SlotMerge held = MergeSlots(base, mine, file, SlotSet(1));
    EXPECT_EQ(held.Slots[1], none);
    EXPECT_EQ(held.Waiting, SlotSet(0b11));

    mine[0] = Memo("b");
    file[1] = none;
    const SlotMerge look = MergeSlots(base, mine, file, {}, MergeFor::Look);
    EXPECT_EQ(look.Slots, mine);
    EXPECT_EQ(look.Waiting, SlotSet(1));
    EXPECT_EQ(MergeSlots(base, mine, file).Slots[1], Memo("c", 24));
}

}  // namespace
}  // namespace haripon
