// When the reminder check runs, when a memo falls due, and which of its character's lines is
// spoken.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/periods.h"
#include "model/slot_table.h"

namespace haripon {

// A slot is due when it holds a memo and a stored year, and its moment is not later than
// the clock: year, month, day, hour and minute compared in that order, the first that
// differs deciding. Seconds do not count; the timer flag is not consulted.
bool IsDue(const MemoSlot& slot, const DateTimeRecord& now);

// The due slots of the table in ascending order.
std::vector<int> DueSlots(const std::array<MemoSlot, kSlotCount>& slots, const DateTimeRecord& now);

// The sequence the spoken lines are drawn from: the same after every start.
class LineGenerator {
  public:
    // A value 0 .. 32767.
    std::uint32_t Draw() {
        state_ = state_ * 22695477u + 1u;
        return (state_ >> 16) & 0x7FFFu;
    }

  private:
    std::uint32_t state_ = 1;
};

// The reminder window's text, read by screen readers: the line, an ideographic space and the
// memo (Shift-JIS); either alone when the other is empty.
std::string ReminderCaption(std::string_view line, std::string_view memo);

// Line `drawn` modulo the character's line count; empty for a character without lines.
std::string_view ChosenLine(const SlotTheme& theme, std::uint32_t drawn);

}  // namespace haripon
