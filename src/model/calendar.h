// Calendar rules and the check of the five reminder date/time boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/slot_table.h"

namespace haripon {

bool IsLeapYear(std::int32_t year);
// Days of the month; 0 for month 0 and for any month outside 1..12.
std::int32_t DaysInMonth(std::int32_t year, std::int32_t month);
// Leading blanks, one optional sign, then decimal digits up to the first other character.
// No digits give 0; a value beyond 32 bits is held at the nearest limit.
std::int32_t ParseLeadingInt(std::string_view text);
// True when one of the first n bytes of the text is an ASCII digit.
bool HasDigit(std::string_view text, int n);

enum class TimeBox { Year, Month, Day, Hour, Minute };
inline constexpr int kTimeBoxCount = kTimeFieldCount;

// Texts of the year, month, day, hour and minute boxes, in that order.
using TimeBoxTexts = std::array<std::string_view, kTimeBoxCount>;

struct TimeCheck {
    bool Valid = false;
    TimeBox FailedBox = TimeBox::Year;  // when not valid: the first box refused
    const char* Message = nullptr;      // when not valid: its message (Shift-JIS)
    ReminderTime Values;                // the values that passed, the others 0
};

// The five steps in the order year, month, day, hour, minute; the first refusal ends it.
TimeCheck CheckTimeBoxes(const TimeBoxTexts& texts);

// What a refused post leaves in the slot's reminder time: all five not set when a box was
// refused, the five values when the day was past the month's end.
void StoreTimeCheck(const TimeCheck& check, int slot);

// True when the day is past the end of the month the year and month boxes name.
bool DayPastMonthEnd(const TimeBoxTexts& texts);

}  // namespace haripon
