// The seven memo slots and the values every window shares.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/theme_records.h"
#include "platform/core/file_name.h"

namespace haripon {

inline constexpr int kSlotCount = 7;
inline constexpr std::int32_t kNotSet = -1;

struct MemoSlot {
    std::uint8_t SmallDisplay = 0;
    std::uint8_t HasMemo = 0;
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::int32_t Hour = 0;
    std::int32_t Minute = 0;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t TimeFlag = 0;
    haripon::SlotTheme SlotTheme;
    std::string Memo;  // Shift-JIS; empty means the slot is empty
};

// The local clock as last read.
struct DateTimeRecord {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t DayOfWeek = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t Milliseconds = 0;
};

extern std::array<MemoSlot, kSlotCount> SlotTable;
extern std::int32_t SelectedSlot;
extern FileName AppFolder;       // the executable's folder, with a separator at its end
extern std::string ThemeFolder;  // relative to AppFolder, Shift-JIS, e.g. "DATA\x\"
extern std::string VersionText;  // Shift-JIS; empty until the settings are read
extern std::uint8_t VersionBoxOpen;
extern std::uint8_t BlockEditorClose;
extern DateTimeRecord LocalNow;
extern ThemeRecord ThemeSettings;
extern std::int32_t ThemeCount;
extern std::array<std::string, kSlotCount> SmallFaceNames;

// Set once the stored memos have been read: until then a save would replace them with the
// empty slots of a run that never saw them.
extern bool StoredMemosRead;

// AppFolder + a relative name (Shift-JIS), the name of every file the program opens.
FileName AppFile(std::string_view relative);

int FirstUsedSlot();
int FirstFreeSlot();
void ReleaseAllSlots();
// The slot holds no memo any more: no text, no time, no timer, no close guard.
void EmptySlot(MemoSlot& slot);
// Every number 0, every flag 0, every string empty.
void ResetSlots();

}  // namespace haripon
