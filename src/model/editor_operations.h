// What other windows ask of the memo editor window.
#pragma once

#include <string_view>

namespace haripon {

class EditorOperations {
  public:
    virtual ~EditorOperations() = default;

    virtual bool Visible() const = 0;
    // Shows the window and brings it to the front.
    virtual void ShowEditor() = 0;
    virtual void ShowSelectedSlot() = 0;
    virtual void ShowSlotPicture(int slot) = 0;
    virtual void ShowTimerState() = 0;
    virtual void ShowSlotTimeInBoxes(int slot) = 0;
    virtual void ShowPostButtons(int slot) = 0;
    virtual void FillDayList() = 0;
    // The memo text box PstEdt.
    virtual void SetMemoText(std::string_view text) = 0;
    virtual void FocusMemoText() = 0;
    // The timer check box unticked and the five date and time boxes disabled.
    virtual void ClearTimerBoxes() = 0;
};

}  // namespace haripon
