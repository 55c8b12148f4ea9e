// The settings file as it was before the day's first save, in numbered copies beside it:
// timpsd.ini.1 the latest, up to timpsd.ini.7.
#pragma once

#include <string>

#include "platform/core/local_clock.h"

namespace haripon {

inline constexpr int kDailyCopies = 7;

// `bytes`, what the file held before today's first save (`now`), kept as timpsd.ini.1, the
// older copies moving up. A folder that refuses them changes nothing.
void KeepDailyCopy(const std::string& bytes, const LocalTime& now);

}  // namespace haripon
