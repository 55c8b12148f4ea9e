// The seven memo slots and the values every window shares. Every window reads them; they
// change only through the functions below, each named for what it does.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/reminder_time.h"
#include "model/theme_records.h"
#include "platform/core/file_name.h"
#include "platform/core/local_clock.h"

namespace haripon {

inline constexpr int kSlotCount = 7;

// What the settings file keeps of a slot: its memo (the text, its reminder time and timer)
// and its place; and the memo's id, which tells it from others of the same text.
struct StoredSlot {
    ReminderTime Time;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t TimeFlag = 0;
    std::string Memo;  // Shift-JIS; empty means the slot is empty
    std::string Id;    // none for a memo written by a program that knows of no ids
};
bool operator==(const StoredSlot& a, const StoredSlot& b);
inline bool operator!=(const StoredSlot& a, const StoredSlot& b) {
    return !(a == b);
}
using StoredSlots = std::array<StoredSlot, kSlotCount>;

// The same memo: text, reminder time and timer (equal records may differ in their ids).
bool SameMemo(const StoredSlot& a, const StoredSlot& b);

struct MemoSlot : StoredSlot {
    std::uint8_t SmallDisplay = 0;
    std::uint8_t HasMemo = 0;
    haripon::SlotTheme SlotTheme;
    // The editor refused the time typed for it: the slot's time is unset (or the refused day's)
    // until the memo is posted again, but nothing of it is saved.
    bool TimeRefused = false;
};

// The local clock as last read.
using DateTimeRecord = LocalTime;

// The active theme as its description gives it: each character's share and the rest.
struct ThemeValues {
    std::array<haripon::SlotTheme, kSlotCount> Slots;
    ThemeRecord Settings;
    std::array<std::string, kSlotCount> SmallFaces;
};

extern const std::array<MemoSlot, kSlotCount>& SlotTable;
extern const std::int32_t& SelectedSlot;
extern const FileName& AppFolder;       // the executable's folder, with a separator at its end
extern const std::string& ThemeFolder;  // relative to AppFolder, Shift-JIS, e.g. "DATA\x\"
extern const std::string& VersionText;  // Shift-JIS; empty until the settings are read
extern const std::uint8_t& VersionBoxOpen;
extern const std::uint8_t& BlockEditorClose;
extern const DateTimeRecord& LocalNow;
extern const ThemeRecord& ThemeSettings;
extern const std::int32_t& ThemeCount;
extern const std::array<std::string, kSlotCount>& SmallFaceNames;

// AppFolder + a relative name (Shift-JIS), the name of every file the program opens.
FileName AppFile(std::string_view relative);

int FirstUsedSlot();
int FirstFreeSlot();
inline const StoredSlot& StoredPartOf(const MemoSlot& slot) {
    return slot;
}
StoredSlots StoredPartOfAll();

// Every number 0, every flag 0, every string empty.
void ResetSlots();
// The slot takes what the settings file holds of it; it holds a memo when its text is not
// empty.
void StoreSlot(int slot, const StoredSlot& stored);
// The memo posted: the text with its reminder time, or with none (timer off); its place
// stays.
void PostIntoSlot(int slot, std::string_view memo, const std::optional<ReminderTime>& time);
// The time the editor's boxes left in the slot when they were refused (TimeRefused).
void SetSlotTime(int slot, const ReminderTime& time);
// The slot holds no memo any more: no text, no time, no timer, no close guard.
void EmptySlot(int slot);
void StoreSlotPosition(int slot, std::int32_t top, std::int32_t left);
void ToggleSmallDisplay(int slot);
// At the end: every memo window may close; the memos stay.
void ReleaseAllSlots();
void SelectSlot(int slot);

void UseTheme(const ThemeValues& theme);
void SetThemeCount(std::int32_t count);
void SetAppFolder(const FileName& folder);
void SetThemeFolder(std::string_view folder);
void SetVersionText(std::string_view text);
void SetVersionBoxOpen(bool open);
void SetBlockEditorClose(bool block);
// Reads the local clock into LocalNow, once for each event that needs it: the functions
// below it are handed the moment.
const DateTimeRecord& ReadClockIntoLocalNow();

}  // namespace haripon
