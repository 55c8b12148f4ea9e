// The active picture theme as held in memory: each slot keeps its character's share, the
// rest is the shared ThemeSettings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace haripon {

inline constexpr int kLinesPerCharacter = 7;

// One character's share of the theme; kept in its memo slot.
struct SlotTheme {
    std::int32_t MemoColor = 0;  // 0x00BBGGRR
    std::int32_t LineCount = 0;
    std::string FaceFile;
    std::int32_t FaceLeft = 0;
    std::int32_t FaceTop = 0;
    std::int32_t FaceWidth = 0;
    std::int32_t FaceHeight = 0;
    std::string SmallFaceFile;
    std::string TimerCharFile;
    std::string SlotBackFile0;
    std::string SlotBackFile1;
    std::string LargeMemoFile;
    std::string SmallMemoFile;
    std::int32_t SlotBackLeft = 0;
    std::int32_t SlotBackTop = 0;
    std::int32_t SlotBackWidth = 0;
    std::int32_t SlotBackHeight = 0;
    std::array<std::string, kLinesPerCharacter> Lines;
};

// A tool button of the editor window: glyph strip and place.
struct ButtonTheme {
    std::string File;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The theme values that belong to no single character.
struct ThemeRecord {
    std::string MainFrameFile;
    ButtonTheme CloseButton;
    ButtonTheme ExitButton;
    ButtonTheme PostButton;
    std::string RenewButtonFile;
    ButtonTheme DeleteButton;
    std::int32_t MiniFaceLeft = 0;
    std::int32_t MiniFaceTop = 0;
    std::int32_t MiniFaceWidth = 0;
    std::int32_t MiniFaceHeight = 0;
    std::int32_t TimerCharLeft = 0;
    std::int32_t TimerCharTop = 0;
    std::int32_t TimerCharWidth = 0;
    std::int32_t TimerCharHeight = 0;
    std::int32_t MessageColor = 0;
};

}  // namespace haripon
