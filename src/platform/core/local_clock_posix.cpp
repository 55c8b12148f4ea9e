#include <sys/time.h>

#include <ctime>

#include "platform/core/local_clock.h"

namespace haripon {

LocalTime ReadSystemClock() {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    const auto field = [](long value) { return static_cast<std::uint16_t>(value); };
    return {field(local.tm_year + 1900), field(local.tm_mon + 1),  field(local.tm_wday),
            field(local.tm_mday),        field(local.tm_hour),     field(local.tm_min),
            field(local.tm_sec),         field(now.tv_usec / 1000)};
}

}  // namespace haripon
