#include "model/reminder_time.h"

namespace haripon {

ReminderTime ReminderTime::At(const LocalTime& clock) {
    return {clock.Year, clock.Month, clock.Day, clock.Hour, clock.Minute};
}

bool ReminderTime::ReachedBy(const LocalTime& now) const {
    const ReminderTime clock = At(now);
    for (const auto field : kTimeFields) {
        if (this->*field != clock.*field)
            return this->*field < clock.*field;
    }
    return true;
}

bool operator==(const ReminderTime& a, const ReminderTime& b) {
    for (const auto field : kTimeFields) {
        if (a.*field != b.*field)
            return false;
    }
    return true;
}

}  // namespace haripon
