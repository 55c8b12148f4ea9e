#include "model/gone_memos.h"

#include <algorithm>

namespace haripon {

namespace {

GoneList known;

std::int32_t DayOf(const LocalTime& time) {
    return time.Year * 10000 + time.Month * 100 + time.Day;
}

// Days since 1 March of year 0 of the proleptic Gregorian calendar.
std::int64_t DayNumber(std::int32_t yyyymmdd) {
    std::int64_t year = yyyymmdd / 10000;
    const std::int64_t month = yyyymmdd / 100 % 100;
    const std::int64_t day = yyyymmdd % 100;
    if (month <= 2)
        --year;
    const std::int64_t shifted = (month + 9) % 12;  // March is 0
    return 365 * year + year / 4 - year / 100 + year / 400 + (153 * shifted + 2) / 5 + day - 1;
}

// Newest first, each id once, none too old, no more than kept.
void Prune(GoneList& list, const LocalTime& now) {
    std::stable_sort(list.begin(), list.end(),
                     [](const GoneMemo& a, const GoneMemo& b) { return a.Day > b.Day; });
    GoneList kept;
    const std::int64_t today = DayNumber(DayOf(now));
    for (const GoneMemo& memo : list) {
        if (kept.size() < kGoneKept && today - DayNumber(memo.Day) <= kGoneDays &&
            !FindGone(kept, memo.Id))
            kept.push_back(memo);
    }
    list = std::move(kept);
}

}  // namespace

const GoneList& KnownGone() {
    return known;
}

void RecordGone(const std::string& id, GoneWhy why, const LocalTime& now) {
    if (id.empty())
        return;
    known.push_back({id, DayOf(now), why});
    Prune(known, now);
}

void TakeGone(const GoneList& fromFile, const LocalTime& now) {
    known.insert(known.end(), fromFile.begin(), fromFile.end());
    Prune(known, now);
}

void ForgetGone() {
    known.clear();
}

const GoneMemo* FindGone(const GoneList& list, const std::string& id) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const GoneMemo& memo) { return memo.Id == id; });
    return found == list.end() ? nullptr : &*found;
}

}  // namespace haripon
