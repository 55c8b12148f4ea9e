// What the editor and the reminder check ask of the desktop memo windows.
#pragma once

namespace haripon {

class MemoWindowOperations {
  public:
    virtual ~MemoWindowOperations() = default;

    // The slot's memo was posted or rewritten: its window is redrawn, and shown at the slot's
    // place when it was hidden (a shown one stays where it is), or hidden when the slot
    // holds no text now.
    virtual void MemoPosted(int slot) = 0;
    virtual void HideMemoWindow(int slot) = 0;
    // The memo taken off its slot, as the window's own peel-off command does it.
    virtual void PeelOffMemo(int slot) = 0;
    // The slot holds what another copy of the program wrote: its window shows it, at its
    // place, or hides.
    virtual void SlotChangedElsewhere(int slot) = 0;
};

}  // namespace haripon
