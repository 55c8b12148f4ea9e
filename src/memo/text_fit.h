// Fitting Shift-JIS memo text into at most three rows, by bytes or by width, never
// splitting a double-byte character.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/text_width.h"

namespace haripon {

struct TextRows {
    std::array<std::string, 3> Row;
};

// Rows of at most `budget` bytes. The text ends at its end or at a NUL byte; a lead byte
// with nothing after it is dropped.
TextRows FitTextToBytes(std::string_view text, int budget);
// Rows of at most `budget` width units: 6 for a single-byte character, 12 for a double-byte
// one, which must end strictly before the budget.
TextRows FitTextToWidth(std::string_view text, int budget);

}  // namespace haripon
