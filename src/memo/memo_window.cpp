#include "memo/memo_window.h"

#include <string>

#include "memo/memo_layout.h"
#include "memo/text_draw.h"
#include "model/editor_operations.h"
#include "model/settings_keeper.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "model/theme_folder.h"
#include "model/texts.h"
#include "platform/win32/error_report.h"
#include "theme/theme_loader.h"
#include "theme/theme_pictures.h"

namespace haripon {

namespace {

std::wstring ClassName(int slot) {
    return L"TPostForm" + std::to_wstring(slot + 1);
}

}  // namespace

// Window 1 stays on top of other windows.
TMemoWindow::TMemoWindow(EditorOperations& editor, SettingsKeeper& keeper, int slot)
    : Form(ClassName(slot), kLargeWidth, kHeight, slot == 0 ? WS_EX_TOPMOST : 0),
      editor_(editor),
      keeper_(keeper),
      slot_(slot) {
    PostBaseImg.SetMouseThrough(true);
    // The face takes its place whether its picture loads or not.
    PostImg.SetBounds(kFaceLeft, kFaceTop, kMemoFaceSize.Width, kMemoFaceSize.Height);
    PostImg.SetTransparent(true);
    // Window 1's face passes the mouse on; the others' take clicks and do nothing.
    PostImg.SetMouseThrough(slot == 0);
    PstLblStrImg.SetMouseThrough(true);
    AddControl(PostBaseImg);
    AddControl(PostImg);
    AddControl(PstLblStrImg);

    PostNew1 = PostPup.Add(kNewMemoCaption, [this] { NewMemo(); });
    displaySizeItem_ = PostPup.Add(kSmallerCaption, [this] { ToggleDisplaySize(); });
    PostRen1 = PostPup.Add(kRewriteCaption, [this] { RewriteMemo(); });
    peelOffItem_ = PostPup.Add(kPeelOffCaption, [this] { PeelOffMemo(); });
    PostPup.AddSeparator();
    PostPup.Add(kCancelCaption);
}

void TMemoWindow::FormCreate() {
    RereadThemeFolder();
    SetColor(static_cast<COLORREF>(SlotTable[slot_].SlotTheme.MemoColor));
    ShowThemePicture(PostImg, SmallFaceNames[slot_]);
}

void TMemoWindow::ShowWindowOfSlot(const MemoSlot& slot) {
    if (Visible())
        return;
    ShowMemoWindow(slot);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

// A hidden window is drawn as it comes up, once: a picture that cannot be loaded is then
// reported once too.
void TMemoWindow::MemoPosted(const MemoSlot& slot) {
    const bool appears = !Visible() && !slot.Memo.empty();
    if (!appears) {
        SkinMemoWindow(slot);
        DrawMemoLabel(slot);
    }
    if (slot.Memo.empty()) {
        Conceal();
    } else if (appears) {
        ShowWindowOfSlot(slot);
    } else {
        KeepOnTheScreens();
    }
}

void TMemoWindow::Conceal() {
    SetCaption("");
    Hide();
}

void TMemoWindow::SlotChangedElsewhere(const MemoSlot& slot) {
    if (slot.Memo.empty()) {
        Conceal();
    } else if (!Visible()) {
        ShowWindowOfSlot(slot);
    } else {
        ShowMemoWindow(slot);
    }
}

// A strip that would show on no monitor (one unplugged, a laptop undocked, the display
// changed) comes onto the nearest one, but its slot keeps its place, in the file and for the
// other PCs: only the user's drag moves it.
void TMemoWindow::KeepOnTheScreens() {
    KeepOnScreen();
}

// A background the theme lacks is reported, and the memo shown all the same, on its colour.
void TMemoWindow::ShowMemoWindow(const MemoSlot& slot) {
    SkinMemoWindow(slot);
    DrawMemoLabel(slot);
    MoveTo({slot.Left, slot.Top});
    KeepOnTheScreens();
}

void TMemoWindow::FormDisplayChange() {
    ShowMemoWindow(SlotTable[slot_]);
}

void TMemoWindow::SkinMemoWindow(const MemoSlot& slot) {
    const bool small = slot.SmallDisplay != 0;
    const int width = small ? kSmallWidth : kLargeWidth;
    PostBaseImg.SetBounds(0, 0, width, kHeight);
    SetClientSize(width, kHeight);
    PstLblStrImg.SetWidth(width);
    ShowThemePicture(PostBaseImg,
                     small ? slot.SlotTheme.SmallMemoFile : slot.SlotTheme.LargeMemoFile);
}

void TMemoWindow::DrawMemoLabel(const MemoSlot& slot) {
    const bool small = slot.SmallDisplay != 0;
    const auto color = static_cast<COLORREF>(slot.SlotTheme.MemoColor);
    PstLblStrImg.SetPicture(RenderMemoLabel(slot.Memo, small, color, PstLblStrImg.TakePicture()));
    SetCaption(slot.Memo);  // what a screen reader reads of the strip
    PstLblStrImg.SetBounds(LabelLeft(slot_), kLabelTop, small ? kSmallLabelWidth : kLargeLabelWidth,
                           kLabelHeight);
}

void TMemoWindow::StoreWindowPosition() {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    StoreSlotPosition(slot_, bounds.top, bounds.left);
}

bool TMemoWindow::FormCloseQuery() {
    return SlotTable[slot_].HasMemo == 0;
}

void TMemoWindow::FormClose() {
    Release();
}

// A left press that no control took: the window follows the mouse as if dragged by a
// caption, and keeps its new place.
void TMemoWindow::FormMouseDown(POINT /*at*/) {
    StartDragMove();
    StoreWindowPosition();
}

void TMemoWindow::FormRightButtonDown(POINT at) {
    if (slot_ != 0 && PtInRect(&PostImg.Bounds(), at))
        return;
    PostPup.SetEnabled(PostNew1, true);
    PostPup.SetEnabled(PostRen1, true);
    PostPup.SetEnabled(peelOffItem_, true);
    if (editor_.Visible() || FirstFreeSlot() == -1) {
        PostPup.SetEnabled(PostNew1, false);
    }
    PostPup.SetCaption(displaySizeItem_,
                       SlotTable[slot_].SmallDisplay ? kLargerCaption : kSmallerCaption);
    RECT window{};
    GetWindowRect(Handle(), &window);
    PostPup.Popup(Handle(), {window.left + at.x, window.top});
}

void TMemoWindow::ToggleDisplaySize() {
    ToggleSmallDisplay(slot_);
    SkinMemoWindow(SlotTable[slot_]);
    DrawMemoLabel(SlotTable[slot_]);
    KeepOnTheScreens();
}

// The window goes with the memo; the editor follows.
void TMemoWindow::PeelOffMemo() {
    const DateTimeRecord& now = ReadClockIntoLocalNow();
    const Departure peeled = TakeMemoOut(slot_, Leaving::PeeledHere, now);
    Conceal();
    editor_.SlotPeeledOff(slot_, peeled.WasTimed);
    if (peeled.SaveNow)
        keeper_.SaveSettings(now);
}

void TMemoWindow::RewriteMemo() {
    editor_.Open(EditorOpening::Rewrite, slot_);
}

// The first free slot, or the first when all seven hold a memo.
void TMemoWindow::NewMemo() {
    const int free = FirstFreeSlot();
    editor_.Open(EditorOpening::NewMemo, free == -1 ? 0 : free);
}

}  // namespace haripon
