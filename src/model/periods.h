// How often the program looks at the clock and at the settings file.
#pragma once

namespace haripon {

// The reminder check runs this long after the end of the one before; it looks at the
// settings file each time.
inline constexpr unsigned kCheckMilliseconds = 5000;

// The file's bytes are read at least this often, whatever its size and time say.
inline constexpr unsigned kFullReadMilliseconds = 60000;

// A window that came up on its own (a reminder, a notice) takes Enter or Esc only this long
// after the user has given it the keyboard.
inline constexpr unsigned kAnswerKeyDelayMilliseconds = 1000;

}  // namespace haripon
