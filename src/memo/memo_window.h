// TMemoWindow: the desktop strip of one memo slot (windows TPostForm1 .. TPostForm7).
#pragma once

#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/popup_menu.h"
#include "theme/theme_keys.h"

namespace haripon {

class EditorOperations;
class SettingsKeeper;
struct MemoSlot;

class TMemoWindow : public Form {
  public:
    static constexpr int kLargeWidth = kLargeMemoSize.Width;
    static constexpr int kSmallWidth = kSmallMemoSize.Width;
    static constexpr int kHeight = kLargeMemoSize.Height;

    // The editor is the one window a memo window opens and refreshes; `keeper` saves.
    TMemoWindow(EditorOperations& editor, SettingsKeeper& keeper, int slot);

    int Slot() const { return slot_; }

    // The window is handed the slot it shows (its own slot's record).
    // Shows a hidden window at the slot's place, size and text (ShowMemoWindow first).
    void ShowWindowOfSlot(const MemoSlot& slot);
    // The slot's memo was posted or rewritten: redrawn, and shown or, without text, hidden.
    void MemoPosted(const MemoSlot& slot);
    // The slot holds what another copy of the program wrote: drawn anew at the slot's place,
    // or hidden.
    void SlotChangedElsewhere(const MemoSlot& slot);
    void ShowMemoWindow(const MemoSlot& slot);
    // Hidden, and its text with it.
    void Conceal();
    void SkinMemoWindow(const MemoSlot& slot);
    void DrawMemoLabel(const MemoSlot& slot);
    void StoreWindowPosition();
    void KeepOnTheScreens();

    void ToggleDisplaySize();
    void PeelOffMemo();
    void RewriteMemo();
    void NewMemo();

    const PopupMenu& Menu() const { return PostPup; }

  protected:
    void FormCreate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormMouseDown(POINT at) override;
    void FormRightButtonDown(POINT at) override;
    // The strip goes to its slot's place, onto a monitor there is.
    void FormDisplayChange() override;

  private:
    EditorOperations& editor_;
    SettingsKeeper& keeper_;
    const int slot_;
    Image PostBaseImg;
    Image PostImg;
    Image PstLblStrImg;
    PopupMenu PostPup;
    UINT PostNew1 = 0;
    UINT displaySizeItem_ = 0;
    UINT PostRen1 = 0;
    UINT peelOffItem_ = 0;
};

}  // namespace haripon
