#include "reminder/reminder_rules.h"

#include <algorithm>

namespace haripon {

bool IsDue(const MemoSlot& slot, const DateTimeRecord& now) {
    return !slot.Memo.empty() && slot.Time.IsSet() && slot.Time.ReachedBy(now);
}

std::vector<int> DueSlots(const std::array<MemoSlot, kSlotCount>& slots,
                          const DateTimeRecord& now) {
    std::vector<int> due;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (IsDue(slots[slot], now))
            due.push_back(slot);
    }
    return due;
}

std::string_view ChosenLine(const SlotTheme& theme, std::uint32_t drawn) {
    const int count = std::min(theme.LineCount, kLinesPerCharacter);
    if (count < 1)
        return {};
    return theme.Lines[drawn % static_cast<std::uint32_t>(count)];
}

std::string ReminderCaption(std::string_view line, std::string_view memo) {
    std::string caption(line);
    if (!line.empty() && !memo.empty())
        caption += "\x81\x40";
    caption += memo;
    return caption;
}

}  // namespace haripon
