// The reminder time check on any five box texts: a valid check holds values within their
// ranges, each box is refused or taken by its own rule, and a slot takes all five values
// or none.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "model/calendar.h"

namespace haripon {
namespace {

struct Range {
    int digits;
    std::int32_t low;
    std::int32_t high;
};

constexpr Range kRanges[kTimeBoxCount] = {
    {4, 2000, 3000}, {2, 1, 12}, {2, 1, 31}, {2, 0, 23}, {2, 0, 59}};

// The C library's reading of a leading decimal number, held within 32 bits.
std::int32_t LibraryNumber(std::string_view text) {
    const std::string terminated(text);  // strtoll stops at the first NUL, as the rule does
    errno = 0;
    const long long value = std::strtoll(terminated.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool DigitAmong(std::string_view text, int n) {
    const std::string_view first = text.substr(0, n < 0 ? 0 : static_cast<std::size_t>(n));
    return first.find_first_of("0123456789") != std::string_view::npos;
}

std::int32_t MonthLength(std::int32_t year, std::int32_t month) {
    if (month < 1 || month > 12)
        return 0;
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
}

bool Accepted(std::string_view text, const Range& range) {
    const std::int32_t value = LibraryNumber(text);
    return DigitAmong(text, range.digits) && value >= range.low && value <= range.high;
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    FuzzedDataProvider input(data, size);
    std::array<std::string, kTimeBoxCount> boxes;
    for (std::string& box : boxes)
        box = input.ConsumeRandomLengthString(64);
    const int n = input.ConsumeIntegral<int>();
    TimeBoxTexts texts;
    for (int i = 0; i < kTimeBoxCount; ++i)
        texts[i] = boxes[i];

    for (const std::string& box : boxes) {
        FUZZ_CHECK(ParseLeadingInt(box) == LibraryNumber(box));
        FUZZ_CHECK(HasDigit(box, n) == DigitAmong(box, n));
    }

    const TimeCheck check = CheckTimeBoxes(texts);
    const int refused = check.Valid ? kTimeBoxCount : static_cast<int>(check.FailedBox);
    FUZZ_CHECK(refused >= 0 && refused <= kTimeBoxCount);
    for (int i = 0; i < refused; ++i) {
        FUZZ_CHECK(Accepted(boxes[i], kRanges[i]));
        if (check.Valid) {
            const std::int32_t value = check.Values.*kTimeFields[i];
            FUZZ_CHECK(value == LibraryNumber(boxes[i]));
            FUZZ_CHECK(value >= kRanges[i].low && value <= kRanges[i].high);
        }
    }
    if (!check.Valid) {
        FUZZ_CHECK(!Accepted(boxes[refused], kRanges[refused]));
        FUZZ_CHECK(check.Message != nullptr && check.Message[0] != '\0');
    }

    SetSlotTime(0, ReminderTime{12345, 12345, 12345, 12345, 12345});
    StoreTimeCheck(check, 0);
    FUZZ_CHECK(SlotTable[0].Time == (check.Valid ? check.Values : ReminderTime::None()));

    const std::int32_t year = LibraryNumber(boxes[0]);
    const std::int32_t month = LibraryNumber(boxes[1]);
    FUZZ_CHECK(DaysInMonth(year, month) == MonthLength(year, month));
    FUZZ_CHECK(DaysInMonth(n, n % 16) == MonthLength(n, n % 16));
    FUZZ_CHECK(DayPastMonthEnd(texts) == (LibraryNumber(boxes[2]) > MonthLength(year, month)));
    return 0;
}
