#include <windows.h>

#include "platform/core/local_clock.h"

namespace haripon {

LocalTime ReadSystemClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
            now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
}

}  // namespace haripon
