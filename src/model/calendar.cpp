#include "model/calendar.h"

#include <algorithm>
#include <limits>

#include "model/texts.h"

namespace haripon {

namespace {

constexpr std::int32_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct TimeStep {
    int digits;
    std::int32_t low;
    std::int32_t high;
    const char* message;
};

constexpr TimeStep kTimeSteps[kTimeBoxCount] = {
    {4, 2000, 3000, kYearInvalid}, {2, 1, 12, kMonthInvalid},  {2, 1, 31, kDayInvalid},
    {2, 0, 23, kHourInvalid},      {2, 0, 59, kMinuteInvalid},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool IsLeapYear(std::int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) {
    if (month < 0 || month > 12)
        return 0;
    return kMonthDays[month] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

std::int32_t ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit + 1)
            value = kLimit + 1;
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value > kLimit ? kLimit : value);
}

bool HasDigit(std::string_view text, int n) {
    const std::size_t count = n < 0 ? 0 : std::min(text.size(), static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < count; ++i) {
        if (IsDigit(text[i]))
            return true;
    }
    return false;
}

TimeCheck CheckTimeBoxes(const TimeBoxTexts& texts) {
    TimeCheck check;
    for (int step = 0; step < kTimeBoxCount; ++step) {
        const TimeStep& rule = kTimeSteps[step];
        const std::string_view text = texts[step];
        const std::int32_t value = ParseLeadingInt(text);
        if (!HasDigit(text, rule.digits) || value < rule.low || value > rule.high) {
            check.FailedBox = static_cast<TimeBox>(step);
            check.Message = rule.message;
            return check;
        }
        check.Values.*kTimeFields[step] = value;
    }
    check.Valid = true;
    return check;
}

void StoreTimeCheck(const TimeCheck& check, int slot) {
    SetSlotTime(slot, check.Valid ? check.Values : ReminderTime::None());
}

bool DayPastMonthEnd(const TimeBoxTexts& texts) {
    const std::int32_t year = ParseLeadingInt(texts[static_cast<int>(TimeBox::Year)]);
    const std::int32_t month = ParseLeadingInt(texts[static_cast<int>(TimeBox::Month)]);
    const std::int32_t day = ParseLeadingInt(texts[static_cast<int>(TimeBox::Day)]);
    return day > DaysInMonth(year, month);
}

}  // namespace haripon
