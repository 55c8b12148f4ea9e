#include "platform/core/local_clock.h"

#include <utility>

namespace haripon {

namespace {

std::optional<LocalTime>& FixedTime() {
    static std::optional<LocalTime> time;
    return time;
}

}  // namespace

LocalTime ReadLocalClock() {
    return FixedTime() ? *FixedTime() : ReadSystemClock();
}

ScopedFixedClock::ScopedFixedClock(const LocalTime& now)
    : previous_(std::exchange(FixedTime(), now)) {}

ScopedFixedClock::~ScopedFixedClock() {
    FixedTime() = previous_;
}

}  // namespace haripon
