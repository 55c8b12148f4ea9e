#include "platform/win32/clock.h"

#include <utility>

namespace haripon {

namespace {

std::optional<SYSTEMTIME>& FixedTime() {
    static std::optional<SYSTEMTIME> time;
    return time;
}

}  // namespace

SYSTEMTIME ReadLocalTime() {
    if (FixedTime())
        return *FixedTime();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

ScopedFixedClock::ScopedFixedClock(const SYSTEMTIME& now)
    : previous_(std::exchange(FixedTime(), now)) {}

ScopedFixedClock::~ScopedFixedClock() {
    FixedTime() = previous_;
}

}  // namespace haripon
