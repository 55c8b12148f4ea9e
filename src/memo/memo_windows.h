// The seven desktop memo windows, TPostForm1 .. TPostForm7, as the rest of the program
// sees them.
#pragma once

#include <array>
#include <utility>

#include "memo/memo_operations.h"
#include "memo/memo_window.h"

namespace haripon {

class MemoWindows : public MemoWindowOperations {
  public:
    MemoWindows(EditorOperations& editor, SettingsKeeper& keeper);

    // Creates the seven hidden windows in order.
    void Create();
    TMemoWindow& Window(int slot) { return windows_[slot]; }

    // The first display: the window of every slot that holds a memo, each on its own, so
    // that a picture one theme lacks does not keep the others from appearing.
    void ShowPostedMemos();
    // At the end: a close request to each window, which succeeds once the slots are released.
    void CloseMemoWindows();

    void MemoPosted(int slot) override;
    void HideMemoWindow(int slot) override;
    void PeelOffMemo(int slot) override;
    void SlotChangedElsewhere(int slot) override;

  private:
    template <std::size_t... Slot>
    MemoWindows(EditorOperations& editor, SettingsKeeper& keeper, std::index_sequence<Slot...>)
        : windows_{{{editor, keeper, static_cast<int>(Slot)}...}} {}

    std::array<TMemoWindow, kSlotCount> windows_;
};

}  // namespace haripon
