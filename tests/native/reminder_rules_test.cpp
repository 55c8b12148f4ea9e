#include "reminder/reminder_rules.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

MemoSlot Armed(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
               std::int32_t minute) {
    MemoSlot slot;
    slot.Memo = "memo";
    slot.Time = {year, month, day, hour, minute};
    return slot;
}

TEST(Reminders, EachFieldDecidesInTurn) {
    DateTimeRecord now;
    now.Year = 2026;
    now.Month = 12;
    now.Day = 8;
    now.Hour = 9;
    now.Minute = 5;
    now.Second = 59;
    const struct {
        MemoSlot slot;
        bool due;
    } cases[] = {
        {Armed(2026, 12, 8, 9, 5), true},     // the same minute, whatever the seconds
        {Armed(2026, 12, 8, 9, 6), false},    // the minute decides
        {Armed(2026, 12, 8, 8, 59), true},    // the hour decides before the minute
        {Armed(2026, 12, 9, 0, 0), false},    // the day
        {Armed(2026, 11, 30, 23, 59), true},  // the month
        {Armed(2025, 13, 99, 99, 99), true},  // the year first; nothing else is checked
        {Armed(2027, 1, 1, 0, 0), false},     //
        {Armed(2026, 2, 30, 0, 0), true},     // a stored 30 February: past by now
        {Armed(0, 0, 0, 0, 0), true},         // a file without time keys: due at once
        {Armed(kNotSet, 1, 1, 1, 1), false},  // no year: never due
    };
    for (const auto& test : cases) {
        EXPECT_EQ(IsDue(test.slot, now), test.due)
            << test.slot.Time.Year << "-" << test.slot.Time.Month << "-" << test.slot.Time.Day
            << " " << test.slot.Time.Hour << ":" << test.slot.Time.Minute;
    }
    MemoSlot empty = Armed(2000, 1, 1, 0, 0);
    empty.Memo.clear();
    EXPECT_FALSE(IsDue(empty, now));

    // 30 February falls due at the first minute of 1 March.
    now.Month = 3;
    now.Day = 1;
    now.Hour = 0;
    now.Minute = 0;
    EXPECT_TRUE(IsDue(Armed(2026, 2, 30, 0, 0), now));
    now.Month = 2;
    now.Day = 28;
    now.Hour = 23;
    now.Minute = 59;
    EXPECT_FALSE(IsDue(Armed(2026, 2, 30, 0, 0), now));
}

TEST(Reminders, DueSlotsInAscendingOrder) {
    std::array<MemoSlot, kSlotCount> slots;
    for (MemoSlot& slot : slots)
        slot.Time.Year = kNotSet;
    slots[5] = Armed(2020, 1, 1, 0, 0);
    slots[1] = Armed(2020, 1, 1, 0, 0);
    slots[3] = Armed(2099, 1, 1, 0, 0);
    DateTimeRecord now;
    now.Year = 2026;
    EXPECT_EQ(DueSlots(slots, now), (std::vector<int>{1, 5}));
}

// The lines after a start follow one fixed sequence: state 1, then state * 22695477 + 1
// modulo 2^32, drawing bits 16 to 30.
TEST(Reminders, TheFirstLinesAfterAStart) {
    std::uint64_t state = 1;
    const auto next = [&state] {
        state = (state * 22695477ULL + 1ULL) % 4294967296ULL;
        return static_cast<std::uint32_t>(state / 65536 % 32768);
    };
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back(next());
    EXPECT_EQ(expected[0], 346u);
    EXPECT_EQ(expected[1], 130u);

    for (int count = 0; count <= 7; ++count) {
        SlotTheme theme;
        theme.LineCount = count;
        for (int j = 0; j < kLinesPerCharacter; ++j)
            theme.Lines[j] = "line" + std::to_string(j + 1);
        LineGenerator generator;
        for (const std::uint32_t drawn : expected) {
            const std::string wanted = count == 0 ? "" : "line" + std::to_string(drawn % count + 1);
            EXPECT_EQ(ChosenLine(theme, generator.Draw()), wanted) << count;
        }
    }
}

// What a screen reader reads: the line and the memo, an ideographic space between them only.
TEST(Reminders, TheWindowTextIsTheLineAndTheMemo) {
    EXPECT_EQ(ReminderCaption("line", "memo"), "line\x81\x40memo");
    EXPECT_EQ(ReminderCaption("", "memo") + ReminderCaption("line", ""), "memoline");
}

}  // namespace
}  // namespace haripon
