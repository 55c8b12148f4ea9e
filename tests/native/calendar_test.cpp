#include "model/calendar.h"

#include <gtest/gtest.h>

#include "model/texts.h"

namespace haripon {
namespace {

TEST(Calendar, LeapYearsAndMonthLengths) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2005, 2), 28);
    EXPECT_EQ(DaysInMonth(0, 2), 29);  // year 0 of an empty box: divisible by 400
    for (int year : {1999, 2000, 2023}) {
        EXPECT_EQ(DaysInMonth(year, 4), 30);
        EXPECT_EQ(DaysInMonth(year, 12), 31);
        EXPECT_EQ(DaysInMonth(year, 0), 0);
        EXPECT_EQ(DaysInMonth(year, 13), 0);
        EXPECT_EQ(DaysInMonth(year, -1), 0);
    }
}

TEST(Calendar, ParseLeadingIntReadsOnlyTheLeadingNumber) {
    EXPECT_EQ(ParseLeadingInt("2005"), 2005);
    EXPECT_EQ(ParseLeadingInt("12x"), 12);
    EXPECT_EQ(ParseLeadingInt("x5"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt(" \t\r\n\v\f7"), 7);
    EXPECT_EQ(ParseLeadingInt("-3"), -3);
    EXPECT_EQ(ParseLeadingInt("+3"), 3);
    EXPECT_EQ(ParseLeadingInt("- 3"), 0);
    EXPECT_EQ(ParseLeadingInt("\x82\x51\x82\x4F"), 0);  // full-width digits
    EXPECT_EQ(ParseLeadingInt("99999999999999"), INT32_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999999"), INT32_MIN);
}

TEST(Calendar, HasDigitLooksOnlyAtTheFirstBytes) {
    EXPECT_TRUE(HasDigit("x5", 2));
    EXPECT_FALSE(HasDigit("xy5", 2));
    EXPECT_TRUE(HasDigit("abc1", 4));
    EXPECT_FALSE(HasDigit("", 4));
    EXPECT_TRUE(HasDigit("7", 4));  // shorter than n: examined as far as it goes
    EXPECT_FALSE(HasDigit("\x82\x51\x82\x4F\x82\x4F\x82\x54", 4));
}

struct CheckCase {
    TimeBoxTexts texts;
    bool valid;
    TimeBox failed;
    const char* message;
};

TEST(TimeCheck, StepsRunInOrderAndStopAtTheFirstRefusal) {
    const CheckCase cases[] = {
        {{"2000", "1", "1", "0", "0"}, true, TimeBox::Year, nullptr},
        {{"3000", "12", "31", "23", "59"}, true, TimeBox::Year, nullptr},
        {{"1999", "1", "1", "0", "0"}, false, TimeBox::Year, kYearInvalid},
        {{"3001", "1", "1", "0", "0"}, false, TimeBox::Year, kYearInvalid},
        {{"\x82\x51\x82\x4F\x82\x4F\x82\x54", "1", "1", "0", "0"},
         false,
         TimeBox::Year,
         kYearInvalid},
        {{"abcd2005", "1", "1", "0", "0"}, false, TimeBox::Year, kYearInvalid},
        {{"2005", "0", "1", "0", "0"}, false, TimeBox::Month, kMonthInvalid},
        {{"2005", "13", "1", "0", "0"}, false, TimeBox::Month, kMonthInvalid},
        {{"2005", "ab", "1", "0", "0"}, false, TimeBox::Month, kMonthInvalid},
        {{"2005", "", "", "", ""}, false, TimeBox::Month, kMonthInvalid},
        {{"2005", "2", "32", "0", "0"}, false, TimeBox::Day, kDayInvalid},
        {{"2005", "2", "x1", "0", "0"}, false, TimeBox::Day, kDayInvalid},
        {{"2005", "2", "1", "24", "0"}, false, TimeBox::Hour, kHourInvalid},
        {{"2005", "2", "1", "-1", "0"}, false, TimeBox::Hour, kHourInvalid},
        {{"2005", "2", "1", "1", "60"}, false, TimeBox::Minute, kMinuteInvalid},
        {{"2005", "2", "1", "1", "ab"}, false, TimeBox::Minute, kMinuteInvalid},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.texts));
        const TimeCheck check = CheckTimeBoxes(c.texts);
        EXPECT_EQ(check.Valid, c.valid);
        if (!c.valid) {
            EXPECT_EQ(check.FailedBox, c.failed);
            EXPECT_STREQ(check.Message, c.message);
        }
    }
}

TEST(TimeCheck, LenientTextsThatPass) {
    const TimeCheck check = CheckTimeBoxes({"2005x", "03", "7", " 7", "x5"});
    ASSERT_TRUE(check.Valid);
    EXPECT_EQ(check.Values, (ReminderTime{2005, 3, 7, 7, 0}));
}

TEST(TimeCheck, StoringARefusalUnsetsAllFiveFields) {
    ResetSlots();
    StoredSlot stored;
    stored.Memo = "kept";
    stored.TimeFlag = 1;
    StoreSlot(0, stored);
    const MemoSlot& slot = SlotTable[0];
    StoreTimeCheck(CheckTimeBoxes({"2010", "5", "6", "12", "30"}), 0);
    EXPECT_EQ(slot.Time, (ReminderTime{2010, 5, 6, 12, 30}));

    StoreTimeCheck(CheckTimeBoxes({"2010", "5", "6", "25", "30"}), 0);
    EXPECT_EQ(slot.Time, (ReminderTime{kNotSet, kNotSet, kNotSet, kNotSet, kNotSet}));
    EXPECT_EQ(slot.Memo, "kept");
    EXPECT_EQ(slot.TimeFlag, 1);
}

// Reached when not later than the clock, the first field that differs deciding; seconds never
// count. Equal only field for field.
TEST(ReminderTimes, ComparedWithTheClockAndEachOther) {
    LocalTime clock = Moment(2026, 12, 9, 21, 35);
    clock.Second = 59;
    EXPECT_EQ(ReminderTime::At(clock), (ReminderTime{2026, 12, 9, 21, 35}));
    const struct {
        ReminderTime time;
        bool reached;
    } cases[] = {
        {{2026, 12, 9, 21, 35}, true},  {{2026, 12, 9, 21, 36}, false},
        {{2025, 13, 40, 99, 99}, true}, {{2027, 1, 1, 0, 0}, false},
        {{2026, 11, 30, 23, 59}, true}, {{2026, 12, 10, 0, 0}, false},
        {{2026, 12, 9, 22, 0}, false},  {{0, 0, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.time.ReachedBy(clock), c.reached) << c.time.Year << "-" << c.time.Minute;
        EXPECT_EQ(c.time == ReminderTime::At(clock), c.reached && c.time.Minute == 35);
    }
    EXPECT_FALSE(ReminderTime::None().IsSet());
    EXPECT_TRUE((ReminderTime{0, kNotSet, kNotSet, kNotSet, kNotSet}).IsSet());
}

TEST(TimeCheck, DayPastTheEndOfTheMonth) {
    const TimeBoxTexts april31 = {"2005", "4", "31", "9", "0"};
    EXPECT_TRUE(CheckTimeBoxes(april31).Valid);
    EXPECT_TRUE(DayPastMonthEnd(april31));
    EXPECT_FALSE(DayPastMonthEnd({"2005", "4", "30", "9", "0"}));
    EXPECT_FALSE(DayPastMonthEnd({"2004", "2", "29", "0", "0"}));
    EXPECT_TRUE(DayPastMonthEnd({"2005", "2", "29", "0", "0"}));
    EXPECT_TRUE(DayPastMonthEnd({"2100", "2", "29", "0", "0"}));
}

}  // namespace
}  // namespace haripon
