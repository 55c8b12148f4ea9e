// How often the program looks at the clock and at the settings file.
#pragma once

namespace haripon {

// The reminder check runs this long after the end of the one before; it looks at the
// settings file each time.
inline constexpr unsigned kCheckMilliseconds = 5000;

// The file's bytes are read at least this often, whatever its size and time say.
inline constexpr unsigned kFullReadMilliseconds = 60000;

}  // namespace haripon
