// The reminder window's parts as the window is designed, and the sizes its texts are drawn
// at. The window's own size is a theme's place (kReminderSize); tools/make_themes.py and the
// theme checker read these too.
#pragma once

#include <cstdint>

namespace haripon {

struct PartPlace {
    std::int32_t Left;
    std::int32_t Top;
    std::int32_t Width;
    std::int32_t Height;
};

// The character's spoken line, on white, and the memo beneath it in up to three rows.
inline constexpr std::int32_t kStripLeft = 104;
inline constexpr std::int32_t kStripWidth = 177;
inline constexpr PartPlace kLineStrip{kStripLeft, 24, kStripWidth, 17};
inline constexpr PartPlace kMemoStrip{kStripLeft, 64, kStripWidth, 57};
// Where the character picture and the close button stand until the theme places them.
inline constexpr PartPlace kCharacterDesign{8, 16, 64, 128};
inline constexpr PartPlace kCloseButtonDesign{264, 130, 21, 21};

// Each row of text is drawn in a rectangle this wide and high, wider than its strip: the
// strip's right edge cuts off what runs past it.
inline constexpr std::int32_t kTextRowWidth = 250;
inline constexpr std::int32_t kTextRowHeight = 16;
inline constexpr int kMemoRows = 3;
// The memo's rows are fitted to this many width units.
inline constexpr int kMemoRowUnits = 168;

}  // namespace haripon
