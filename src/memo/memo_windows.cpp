#include "memo/memo_windows.h"

#include "model/slot_table.h"
#include "platform/win32/error_report.h"

namespace haripon {

MemoWindows::MemoWindows(EditorOperations& editor, SettingsKeeper& keeper)
    : MemoWindows(editor, keeper, std::make_index_sequence<kSlotCount>()) {}

void MemoWindows::Create() {
    for (TMemoWindow& window : windows_)
        window.Create();
}

void MemoWindows::ShowPostedMemos() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!SlotTable[slot].Memo.empty())
            RunReported([&] { windows_[slot].ShowWindowOfSlot(SlotTable[slot]); });
    }
}

void MemoWindows::CloseMemoWindows() {
    for (TMemoWindow& window : windows_)
        window.Close();
}

void MemoWindows::MemoPosted(int slot) {
    windows_[slot].MemoPosted(SlotTable[slot]);
}

void MemoWindows::HideMemoWindow(int slot) {
    windows_[slot].Conceal();
}

void MemoWindows::PeelOffMemo(int slot) {
    windows_[slot].PeelOffMemo();
}

void MemoWindows::SlotChangedElsewhere(int slot) {
    windows_[slot].SlotChangedElsewhere(SlotTable[slot]);
}

}  // namespace haripon
