#include "model/slot_table.h"

#include "platform/core/app_path.h"

namespace haripon {

std::array<MemoSlot, kSlotCount> SlotTable;
std::int32_t SelectedSlot = 0;
FileName AppFolder;
std::string ThemeFolder;
std::string VersionText;
std::uint8_t VersionBoxOpen = 0;
std::uint8_t BlockEditorClose = 0;
DateTimeRecord LocalNow;
ThemeRecord ThemeSettings;
std::int32_t ThemeCount = 0;
std::array<std::string, kSlotCount> SmallFaceNames;
bool StoredMemosRead = false;

FileName AppFile(std::string_view relative) {
    return FileIn(AppFolder, relative);
}

int FirstUsedSlot() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!SlotTable[i].Memo.empty())
            return i;
    }
    return -1;
}

int FirstFreeSlot() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (SlotTable[i].Memo.empty())
            return i;
    }
    return -1;
}

void ReleaseAllSlots() {
    for (MemoSlot& slot : SlotTable)
        slot.HasMemo = 0;
}

void EmptySlot(MemoSlot& slot) {
    slot.Year = slot.Month = slot.Day = slot.Hour = slot.Minute = kNotSet;
    slot.TimeFlag = 0;
    slot.Memo.clear();
    slot.HasMemo = 0;
}

void ResetSlots() {
    SlotTable.fill(MemoSlot{});
}

}  // namespace haripon
