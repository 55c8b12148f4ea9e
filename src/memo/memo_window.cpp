#include "memo/memo_window.h"

#include <string>

#include "model/editor_operations.h"
#include "memo/text_draw.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/error_report.h"
#include "theme/theme_loader.h"

namespace haripon {

namespace {

std::wstring ClassName(int slot) {
    return L"TPostForm" + std::to_wstring(slot + 1);
}

}  // namespace

TMemoWindow::TMemoWindow(EditorOperations& editor, int slot) : editor_(editor), slot_(slot) {
    PostBaseImg.SetMouseThrough(true);
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

void TMemoWindow::Create() {
    Form::Create(ClassName(slot_).c_str(), kLargeWidth, kHeight, slot_ == 0 ? WS_EX_TOPMOST : 0);
}

// The memo colour comes first: a face the theme lacks still leaves a strip of its colour.
void TMemoWindow::FormCreate() {
    ThemeFolder = ReadThemeFolder();
    SetCaption(VersionText);
    SetColor(static_cast<COLORREF>(SlotTable[slot_].SlotTheme.MemoColor));
    PostImg.Load(ThemePath(SmallFaceNames[slot_]));
    PostImg.SetBounds(2, 2, 16, 16);
}

void TMemoWindow::ShowWindowOfSlot() {
    if (Visible())
        return;
    ShowMemoWindow();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

// A background the theme lacks is reported, and the memo shown all the same, on its colour.
void TMemoWindow::ShowMemoWindow() {
    RunReported([this] { SkinMemoWindow(); });
    const MemoSlot& slot = SlotTable[slot_];
    DrawMemoLabel(static_cast<COLORREF>(slot.SlotTheme.MemoColor));
    SetWindowPos(Handle(), nullptr, slot.Left, slot.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMemoWindow::SkinMemoWindow() {
    const MemoSlot& slot = SlotTable[slot_];
    const bool small = slot.SmallDisplay != 0;
    const int width = small ? kSmallWidth : kLargeWidth;
    PostBaseImg.SetBounds(0, 0, width, kHeight);
    SetClientSize(width, kHeight);
    PstLblStrImg.SetWidth(width);
    PostBaseImg.Clear();
    PostBaseImg.Load(
        ThemePath(small ? slot.SlotTheme.SmallMemoFile : slot.SlotTheme.LargeMemoFile));
}

void TMemoWindow::DrawMemoLabel(COLORREF color) {
    const MemoSlot& slot = SlotTable[slot_];
    const bool small = slot.SmallDisplay != 0;
    PstLblStrImg.SetPicture(RenderMemoLabel(slot.Memo, small, color));
    PstLblStrImg.SetBounds(slot_ == 6 ? 22 : 24, 5, small ? kSmallLabelWidth : kLargeLabelWidth,
                           kLabelHeight);
}

void TMemoWindow::StoreWindowPosition() {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    SlotTable[slot_].Top = bounds.top;
    SlotTable[slot_].Left = bounds.left;
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

void TMemoWindow::WMExitSizeMove() {
    PullBackOntoDesktop();
}

void TMemoWindow::RightButtonDown(POINT at) {
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

bool TMemoWindow::HandleMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_RBUTTONDOWN:
            RightButtonDown(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            result = 0;
            return true;
        case WM_EXITSIZEMOVE:
            WMExitSizeMove();
            result = 0;
            return true;
        default:
            return false;
    }
}

void TMemoWindow::ToggleDisplaySize() {
    MemoSlot& slot = SlotTable[slot_];
    slot.SmallDisplay = slot.SmallDisplay ? 0 : 1;
    SkinMemoWindow();
    DrawMemoLabel(static_cast<COLORREF>(slot.SlotTheme.MemoColor));
}

void TMemoWindow::PeelOffMemo() {
    MemoSlot& slot = SlotTable[slot_];
    slot.Year = slot.Month = slot.Day = slot.Hour = slot.Minute = kNotSet;
    slot.Memo.clear();
    Hide();
    editor_.ShowSlotPicture(slot_);
    if (slot_ == SelectedSlot) {
        editor_.ShowTimerState();
        editor_.SetMemoText("");
    }
    slot.HasMemo = 0;
    slot.TimeFlag = 0;
    editor_.ClearTimerBoxes();
    editor_.ShowSlotTimeInBoxes(slot_);
    editor_.ShowPostButtons(slot_);
}

void TMemoWindow::RewriteMemo() {
    SelectedSlot = slot_;
    editor_.ShowSelectedSlot();
    editor_.SetMemoText(SlotTable[slot_].Memo);
    editor_.ShowEditor();
    editor_.ShowTimerState();
    editor_.ShowPostButtons(slot_);
    editor_.ShowSlotTimeInBoxes(slot_);
    editor_.FillDayList();
    editor_.FocusMemoText();
}

void TMemoWindow::NewMemo() {
    const int free = FirstFreeSlot();
    SelectedSlot = free == -1 ? 0 : free;
    editor_.ShowSelectedSlot();
    editor_.SetMemoText(SlotTable[SelectedSlot].Memo);
    editor_.ShowEditor();
    editor_.ShowTimerState();
    editor_.FocusMemoText();
    editor_.FillDayList();
    editor_.ShowPostButtons(SelectedSlot);
}

}  // namespace haripon
