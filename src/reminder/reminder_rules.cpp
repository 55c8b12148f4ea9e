#include "reminder/reminder_rules.h"

#include <algorithm>
#include <iterator>

namespace haripon {

bool IsDue(const MemoSlot& slot, const DateTimeRecord& now) {
    if (slot.Memo.empty() || slot.Year == kNotSet)
        return false;
    const std::int32_t stored[] = {slot.Year, slot.Month, slot.Day, slot.Hour, slot.Minute};
    const std::int32_t clock[] = {now.Year, now.Month, now.Day, now.Hour, now.Minute};
    for (std::size_t i = 0; i < std::size(stored); ++i) {
        if (stored[i] != clock[i])
            return stored[i] < clock[i];
    }
    return true;
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

}  // namespace haripon
