// The local clock as the program reads it: into the shared LocalNow.
#pragma once

#include "platform/win32/clock.h"

namespace haripon {

// Reads the local date and time into LocalNow.
void ReadClockIntoLocalNow();

}  // namespace haripon
