#include "editor/local_clock.h"

#include "model/slot_table.h"

namespace haripon {

void ReadClockIntoLocalNow() {
    const SYSTEMTIME now = ReadLocalTime();
    LocalNow = {now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
}

}  // namespace haripon
