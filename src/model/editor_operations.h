// What the other windows ask of the memo editor window: each the whole of what its caller
// wants, so that the editor alone knows the order in which it brings itself up to date.
#pragma once

namespace haripon {

// The ways the editor is opened; each shows the slot's memo and refreshes the window in
// the order its caller has always used.
enum class EditorOpening {
    FirstDisplay,     // the end of start-up with no memo anywhere: the slot's stored time
    TrayDoubleClick,  // the tray icon's double click: the selected slot's stored time
    TrayMenu,         // the tray menu's "open": the current time, the tick left as it is
    Rewrite,          // a memo window's "rewrite": its slot with its stored time
    NewMemo,          // a memo window's "new memo": a free slot
};

class EditorOperations {
  public:
    virtual ~EditorOperations() = default;

    virtual bool Visible() const = 0;
    // Shows the editor on `slot`, in front; a memo window's commands make it the selected
    // slot, the others open on the selected slot itself.
    virtual void Open(EditorOpening opening, int slot) = 0;
    // The slot was emptied from its memo window: its picture, and the editor's tick, boxes
    // and buttons, follow (and its text, when it is the selected slot). `wasTimed`: the
    // slot's timer flag before, which the editor's tick shows for a moment as it always has.
    virtual void SlotPeeledOff(int slot, bool wasTimed) = 0;
    // The slot's reminder was delivered and the slot emptied: its picture follows, and on the
    // selected slot the tick, the buttons, the text and the boxes.
    virtual void SlotDelivered(int slot) = 0;
    // The slot holds what another copy of the program wrote: its picture follows, and the
    // rest when it is the selected slot and the editor is hidden (the user edits nothing).
    virtual void SlotChangedElsewhere(int slot) = 0;
};

}  // namespace haripon
