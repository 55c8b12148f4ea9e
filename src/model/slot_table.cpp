#include "model/slot_table.h"

#include "model/memo_ids.h"
#include "platform/core/app_path.h"

namespace haripon {

namespace {

std::array<MemoSlot, kSlotCount> slots;
std::int32_t selectedSlot = 0;
FileName appFolder;
std::string themeFolder;
std::string versionText;
std::uint8_t versionBoxOpen = 0;
std::uint8_t blockEditorClose = 0;
DateTimeRecord localNow;
ThemeRecord themeSettings;
std::int32_t themeCount = 0;
std::array<std::string, kSlotCount> smallFaceNames;

}  // namespace

const std::array<MemoSlot, kSlotCount>& SlotTable = slots;
const std::int32_t& SelectedSlot = selectedSlot;
const FileName& AppFolder = appFolder;
const std::string& ThemeFolder = themeFolder;
const std::string& VersionText = versionText;
const std::uint8_t& VersionBoxOpen = versionBoxOpen;
const std::uint8_t& BlockEditorClose = blockEditorClose;
const DateTimeRecord& LocalNow = localNow;
const ThemeRecord& ThemeSettings = themeSettings;
const std::int32_t& ThemeCount = themeCount;
const std::array<std::string, kSlotCount>& SmallFaceNames = smallFaceNames;

bool operator==(const StoredSlot& a, const StoredSlot& b) {
    return SameMemo(a, b) && a.Top == b.Top && a.Left == b.Left;
}

bool SameMemo(const StoredSlot& a, const StoredSlot& b) {
    return a.Memo == b.Memo && a.Time == b.Time && a.TimeFlag == b.TimeFlag;
}

FileName AppFile(std::string_view relative) {
    return FileIn(appFolder, relative);
}

int FirstUsedSlot() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!slots[i].Memo.empty())
            return i;
    }
    return -1;
}

int FirstFreeSlot() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots[i].Memo.empty())
            return i;
    }
    return -1;
}

StoredSlots StoredPartOfAll() {
    StoredSlots stored;
    for (int i = 0; i < kSlotCount; ++i)
        stored[i] = StoredPartOf(slots[i]);
    return stored;
}

void ResetSlots() {
    slots.fill(MemoSlot{});
}

void StoreSlot(int slot, const StoredSlot& stored) {
    MemoSlot& memo = slots[slot];
    static_cast<StoredSlot&>(memo) = stored;
    memo.HasMemo = memo.Memo.empty() ? 0 : 1;
    memo.TimeRefused = false;
}

// Another text is another memo, with an id of its own.
void PostIntoSlot(int slot, std::string_view memo, const std::optional<ReminderTime>& time) {
    MemoSlot& posted = slots[slot];
    if (memo != posted.Memo)
        posted.Id = memo.empty() ? std::string() : NewMemoId();
    posted.Time = time.value_or(ReminderTime::None());
    posted.TimeFlag = time ? 1 : 0;
    posted.Memo = memo;
    posted.HasMemo = memo.empty() ? 0 : 1;
    posted.TimeRefused = false;
}

void SetSlotTime(int slot, const ReminderTime& time) {
    slots[slot].Time = time;
    slots[slot].TimeRefused = true;
}

void EmptySlot(int slot) {
    PostIntoSlot(slot, "", std::nullopt);
}

void StoreSlotPosition(int slot, std::int32_t top, std::int32_t left) {
    slots[slot].Top = top;
    slots[slot].Left = left;
}

void ToggleSmallDisplay(int slot) {
    slots[slot].SmallDisplay = slots[slot].SmallDisplay ? 0 : 1;
}

void ReleaseAllSlots() {
    for (MemoSlot& slot : slots)
        slot.HasMemo = 0;
}

void SelectSlot(int slot) {
    selectedSlot = slot;
}

void UseTheme(const ThemeValues& theme) {
    for (int i = 0; i < kSlotCount; ++i)
        slots[i].SlotTheme = theme.Slots[i];
    themeSettings = theme.Settings;
    smallFaceNames = theme.SmallFaces;
}

void SetThemeCount(std::int32_t count) {
    themeCount = count;
}

void SetAppFolder(const FileName& folder) {
    appFolder = folder;
}

void SetThemeFolder(std::string_view folder) {
    themeFolder = folder;
}

void SetVersionText(std::string_view text) {
    versionText = text;
}

void SetVersionBoxOpen(bool open) {
    versionBoxOpen = open ? 1 : 0;
}

void SetBlockEditorClose(bool block) {
    blockEditorClose = block ? 1 : 0;
}

const DateTimeRecord& ReadClockIntoLocalNow() {
    localNow = ReadLocalClock();
    return localNow;
}

}  // namespace haripon
