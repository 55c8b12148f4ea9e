// When a memo's reminder falls due: year, month, day, hour and minute, which always travel
// together. Every field kNotSet: no reminder.
#pragma once

#include <cstdint>

#include "platform/core/local_clock.h"

namespace haripon {

inline constexpr std::int32_t kNotSet = -1;

struct ReminderTime {
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::int32_t Hour = 0;
    std::int32_t Minute = 0;

    static constexpr ReminderTime None() { return {kNotSet, kNotSet, kNotSet, kNotSet, kNotSet}; }
    // The clock's moment, to the minute.
    static ReminderTime At(const LocalTime& clock);

    // A memo is armed by its year alone.
    bool IsSet() const { return Year != kNotSet; }
    // Not later than the clock: year, month, day, hour and minute compared in that order, the
    // first that differs deciding; seconds do not count.
    bool ReachedBy(const LocalTime& now) const;
};

bool operator==(const ReminderTime& a, const ReminderTime& b);
inline bool operator!=(const ReminderTime& a, const ReminderTime& b) {
    return !(a == b);
}

// The fields in the order of the editor's boxes and of the files' keys.
inline constexpr int kTimeFieldCount = 5;
inline constexpr std::int32_t ReminderTime::*kTimeFields[kTimeFieldCount] = {
    &ReminderTime::Year, &ReminderTime::Month, &ReminderTime::Day, &ReminderTime::Hour,
    &ReminderTime::Minute};

}  // namespace haripon
