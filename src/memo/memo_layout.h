// A desktop memo window's parts as the window is designed. The strip's own sizes are a
// theme's places (kLargeMemoSize, kSmallMemoSize).
#pragma once

#include <cstdint>

#include "model/slot_table.h"

namespace haripon {

// The face, at its natural size from the top-left corner of the strip.
inline constexpr std::int32_t kFaceLeft = 2;
inline constexpr std::int32_t kFaceTop = 2;

// The label the memo is drawn in, and how many bytes of the memo it shows.
inline constexpr std::int32_t kLargeLabelWidth = 386;
inline constexpr std::int32_t kSmallLabelWidth = 186;
inline constexpr std::int32_t kLabelHeight = 12;
inline constexpr std::int32_t kLabelTop = 5;
inline constexpr int kLargeLabelBytes = 60;
inline constexpr int kSmallLabelBytes = 30;

// The last window's label stands two pixels further left than the others'.
constexpr std::int32_t LabelLeft(int slot) {
    return slot == kSlotCount - 1 ? 22 : 24;
}

}  // namespace haripon
