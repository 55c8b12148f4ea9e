#include "editor/editor_form.h"

#include <algorithm>

#include "memo/memo_operations.h"
#include "model/broken_file.h"
#include "model/settings.h"
#include "model/settings_keeper.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "model/tell_user.h"
#include "model/texts.h"
#include "platform/core/local_clock.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/control_table.h"
#include "platform/win32/error_report.h"
#include "platform/win32/message_box.h"
#include "platform/win32/window_text.h"
#include "theme/theme_catalogue.h"
#include "theme/theme_pictures.h"

namespace haripon {

namespace {

// The sizes the editor's creation gives its two labels once the theme has placed them.
constexpr SIZE kNowPostNameSize{60, 12};
constexpr SIZE kMemoTitleSize{56, 12};

constexpr int kYearsOffered = 11;  // this year and the ten after it
constexpr int kLastYear = 3000;    // the last the date check accepts

void AddNumbers(ComboBox& box, int first, int last) {
    for (int value = first; value <= last; ++value)
        box.AddItem(std::to_string(value));
}

}  // namespace

TTPostForm::TTPostForm(FileName folder, ProgramExit& exit, SettingsKeeper& keeper)
    : Form(kClassName, kWidth, kHeight),
      folder_(std::move(folder)),
      exit_(exit),
      keeper_(keeper),
      check_(*this, kChkPstTimTimer, *this, keeper) {
    SetKeptWhollyOnScreen(true);  // its buttons must be in reach
    // The parts bottom to top, as the window is designed; the theme places most of them anew.
    std::vector<ControlArgs> parts = {
        {MainImg, {0, 0, kWidth, kHeight}},
        {NowPostTit, kSelectedMemoCaption, {14, 13}},
        {NowPostName, {464, 72, 0, 0}},
        {SelPstImg, {91, 9, 16, 16}},
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        parts.push_back({PstBtnImg[slot],
                         {SlotPictureLeft(slot), kSlotPictureTop, kSlotPictureSize.Width,
                          kSlotPictureSize.Height}});
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        parts.push_back(
            {PstBtn[slot],
             {SlotButtonLeft(slot), kSlotButtonTop, kSlotButtonSize.Width, kSlotButtonSize.Height},
             nullptr,
             nullptr,
             true,
             [this, slot] { PstBtnClick(slot); }});
    }
    parts.insert(
        parts.end(),
        {
            {DltBtn, {200, 8, 23, 22}, kPeelOffHint, nullptr, true, [this] { DltBtnClick(); }},
            {EdtBtn, {248, 8, 23, 22}, kRewriteHint, nullptr, true, [this] { EdtBtnClick(); }},
            {SetBtn, {288, 8, 23, 22}, kPostHint, nullptr, true, [this] { SetBtnClick(); }},
            {CloseBtn,
             {344, 10, 20, 20},
             kMinimiseHint,
             nullptr,
             true,
             [this] { CloseBtnClick(); }},
            {ExitBtn, {376, 10, 20, 20}, kExitHint, nullptr, true, [this] { ExitBtnClick(); }},
            {PostMsgTitLbl, kMemoContentCaption, {22, 117}},
            {YearLbl, kYearUnit, {72, 202}},
            {MonthLbl1, kMonthUnit, {136, 202}},
            {DayLbl1, kDayUnit, {200, 202}},
            {TimeLbl, kHourUnit, {264, 202}},
            {TimeMmLbl, kMinuteUnit, {328, 202}},
        });
    AddControls(*this, parts, kPressAction);
    MainImg.SetEnabled(false);  // a press on the background reaches the window
    NowPostName.SetVisible(false);
    SelPstImg.SetTransparent(true);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        PstBtnImg[slot].SetTransparent(true);
        PstBtn[slot].SetFlat(true);
    }

    // The keyboard goes round the date and time, the tick and the memo, then the buttons.
    std::vector<TabStop> order;
    for (WindowedControl* control : std::initializer_list<WindowedControl*>{
             &YearCmb, &MonthCmb, &DayCmb, &TimeLCmb, &TimeMCmb, &TimSetCBox, &PstEdt})
        order.push_back({nullptr, control});
    for (SpeedButton* button : {&DltBtn, &EdtBtn, &SetBtn, &CloseBtn, &ExitBtn})
        order.push_back({button, nullptr});
    for (SpeedButton& button : PstBtn)
        order.push_back({&button, nullptr});
    SetTabOrder(std::move(order));
}

void TTPostForm::Connect(MemoWindowOperations& memos, ReminderWindowOperations& reminder,
                         RemindersWaiting& waiting) {
    memos_ = &memos;
    check_.Connect(memos, reminder, waiting);
}

void TTPostForm::CreateWindowedControls() {
    // The date and time row: each box's place, width and the characters it takes.
    const struct {
        ComboBox& box;
        int left, width, length;
    } row[kTimeBoxCount] = {{YearCmb, 8, 57, 4},
                            {MonthCmb, 88, 41, 2},
                            {DayCmb, 152, 41, 2},
                            {TimeLCmb, 216, 41, 2},
                            {TimeMCmb, 280, 41, 2}};
    for (const auto& box : row) {
        box.box.Create(*this);
        box.box.SetBounds(box.left, 196, box.width, 20);
        box.box.SetMaxLength(box.length);
        box.box.SetEnabled(false);
    }
    // The years a reminder is likely set for and the check accepts; any other year it
    // accepts can be typed.
    const int thisYear = ReadLocalClock().Year;
    AddNumbers(YearCmb, thisYear, std::min(thisYear + kYearsOffered - 1, kLastYear));
    AddNumbers(MonthCmb, 1, 12);
    AddNumbers(DayCmb, 1, 31);
    AddNumbers(TimeLCmb, 0, 23);
    AddNumbers(TimeMCmb, 0, 59);
    YearCmb.OnChange = [this] { YearCmbChange(); };
    MonthCmb.OnExit = [this] { MonthCmbExit(); };

    TimSetCBox.Create(*this, kTimerCheckCaption);
    TimSetCBox.SetBounds(8, 168, 129, 17);
    TimSetCBox.SetHint(kTimerCheckHint);
    TimSetCBox.OnClick = [this] { TimSetCBox2Click(); };

    PstEdt.Create(*this);
    PstEdt.SetBounds(27, 136, 370, 20);
}

// The editor's share of start-up: the slots cleared, the theme loaded and laid out, the
// stored memos read, then the window's own display.
void TTPostForm::FormCreate() {
    SetCaption(kEditorName);  // no title bar shows it: what a screen reader names the window
    SetBlockEditorClose(true);
    SetVersionBoxOpen(false);
    check_.Start();
    // A catalogue that cannot be made is reported and the start goes on: the stored memos
    // are read all the same. A folder that refuses writes is found first, so that no write
    // waits on it, and told once the caption is known.
    SetAppFolder(folder_);
    const SettingsWrites writes = SettingsFolderTakesWrites();
    RunReported([] {
        BuildThemeCatalogue([](std::string_view a, std::string_view b) {
            return CompareTextIgnoringCase(a, b) < 0;
        });
    });
    PstEdt.SetMaxBytes(kMemoLimit);
    ResetSlots();
    LayOut(LoadTheme());
    SelectSlot(0);
    NowPostName.SetBounds(464, 72, kNowPostNameSize.cx, kNowPostNameSize.cy);
    PostMsgTitLbl.SetBounds(PostMsgTitLbl.Bounds().left, PostMsgTitLbl.Bounds().top,
                            kMemoTitleSize.cx, kMemoTitleSize.cy);
    // The read sets the version text; its failure is told under the caption before it, unless
    // the file is online only and comes later.
    const std::string caption = VersionText;
    if (!ReadSettings(ReadClockIntoLocalNow()) && !SettingsFileComesLater())
        ShowMessage(kIniReadFailed, caption);
    if (const std::string told = SettingsSetAside(); !told.empty())
        TellUserUnasked(told);  // at sign-in, where a stray Enter is likely
    if (writes == SettingsWrites::FolderRefuses) {
        Say((std::string(kFolderRefusesWrites) + "\r\n" + SjisFromWide(folder_) + "\r\n\r\n" +
             kFolderRefusesWritesAdvice)
                .c_str(),
            nullptr);
    } else if (writes == SettingsWrites::FileReadOnly) {
        Say(kSettingsFileReadOnly, nullptr);
    }
    ShowSelectedSlot();
    ShowAllSlotPictures();
    ApplyEditorSkin();
    ShowSlotTimeInBoxes(0);
}

// The theme's places and colours for the labels, the edit box, the check box and the
// date and time row, in the theme's order.
void TTPostForm::LayOut(const EditorLayout& layout) {
    const auto placeLabel = [](Label& label, const ControlPlace& place) {
        label.SetLeft(place.Left);
        label.SetTop(place.Top);
        label.SetColor(static_cast<COLORREF>(place.Color));
    };
    const auto placeWindowed = [](WindowedControl& control, const ControlPlace& place) {
        control.SetLeft(place.Left);
        control.SetTop(place.Top);
        control.SetColor(static_cast<COLORREF>(place.Color));
    };
    placeLabel(NowPostTit, layout.SelectedMemoTitle);
    placeLabel(PostMsgTitLbl, layout.MemoTitle);
    placeWindowed(PstEdt, layout.MemoEdit);
    placeWindowed(TimSetCBox, layout.TimerCheck);

    const int x = layout.TimeRow.Left;
    const int y = layout.TimeRow.Top;
    YearCmb.SetLeft(x);
    YearCmb.SetTop(y);
    const std::array<ComboBox*, kTimeBoxCount> boxes = TimeBoxes();
    const int boxOffsets[] = {0, 80, 152, 224, 296};
    for (int i = 1; i < kTimeBoxCount; ++i) {
        boxes[i]->SetTop(y);
        boxes[i]->SetLeft(x + boxOffsets[i]);
    }
    Label* labels[] = {&YearLbl, &MonthLbl1, &DayLbl1, &TimeLbl, &TimeMmLbl};
    const int labelOffsets[] = {62, 130, 204, 276, 346};
    for (int i = 0; i < kTimeBoxCount; ++i)
        placeLabel(*labels[i], {x + labelOffsets[i], y + 4, layout.TimeRow.Color});
}

// Each picture the theme lacks is reported on its own; every control still gets its place.
// The background's pixels wait for the window's showing (FormShow).
void TTPostForm::ApplyEditorSkin() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotTheme& theme = SlotTable[slot].SlotTheme;
        PlaceButton(PstBtn[slot], theme.FaceFile,
                    {{}, theme.FaceLeft, theme.FaceTop, theme.FaceWidth, theme.FaceHeight});
    }
    background_.Take(ThemeSettings.MainFrameFile);
    PlaceButton(ExitBtn, ThemeSettings.ExitButton.File, ThemeSettings.ExitButton);
    PlaceButton(EdtBtn, ThemeSettings.RenewButtonFile, ThemeSettings.PostButton);
    PlaceButton(SetBtn, ThemeSettings.PostButton.File, ThemeSettings.PostButton);
    PlaceButton(CloseBtn, ThemeSettings.CloseButton.File, ThemeSettings.CloseButton);
    PlaceButton(DltBtn, ThemeSettings.DeleteButton.File, ThemeSettings.DeleteButton);
}

// Each opener's steps in the order its caller has always taken them.
void TTPostForm::Open(EditorOpening opening, int slot) {
    switch (opening) {
        case EditorOpening::FirstDisplay:
            ShowEditor();
            ShowSlotTimeInBoxes(slot);
            ShowPostButtons(slot);
            FillDayList();
            break;
        case EditorOpening::TrayDoubleClick:
            ShowEditor();
            ShowSlotTimeInBoxes(slot);
            ShowTimerState();
            FillDayList();
            ShowPostButtons(slot);
            break;
        case EditorOpening::TrayMenu:  // the boxes show the current time (FormShow)
            ShowSelectedSlot();
            SetMemoText(SlotTable[slot].Memo);
            ShowEditor();
            ShowPostButtons(slot);
            FillDayList();
            break;
        case EditorOpening::Rewrite:
            SelectSlot(slot);
            ShowSelectedSlot();
            SetMemoText(SlotTable[slot].Memo);
            ShowEditor();
            ShowTimerState();
            ShowPostButtons(slot);
            ShowSlotTimeInBoxes(slot);
            FillDayList();
            PstEdt.Focus();
            break;
        case EditorOpening::NewMemo:
            SelectSlot(slot);
            ShowSelectedSlot();
            SetMemoText(SlotTable[slot].Memo);
            ShowEditor();
            ShowTimerState();
            PstEdt.Focus();
            FillDayList();
            ShowPostButtons(slot);
            break;
    }
}

// The tick and the boxes go off whichever slot is shown; the text only on the slot itself.
// On the selected slot the tick first shows the slot's timer as it was before the peel-off,
// then goes off with the rest.
void TTPostForm::SlotPeeledOff(int slot, bool wasTimed) {
    ShowSlotPicture(slot);
    if (slot == SelectedSlot) {
        SetTimerTick(wasTimed);
        SetMemoText("");
    }
    ClearTimerBoxes();
    ShowSlotTimeInBoxes(slot);
    ShowPostButtons(slot);
}

void TTPostForm::SlotDelivered(int slot) {
    ShowSlotPicture(slot);
    if (slot == SelectedSlot) {
        ShowTimerState();
        ShowPostButtons(slot);
        SetMemoText("");
        ShowSlotTimeInBoxes(slot);
    }
}

// A slot the user is editing keeps what is typed (the file's change to it waits meanwhile).
void TTPostForm::SlotChangedElsewhere(int slot) {
    ShowSlotPicture(slot);
    if (slot != SelectedSlot || EditsSelectedSlot())
        return;
    SetMemoText(SlotTable[slot].Memo);
    ShowTimerState();
    ShowSlotTimeInBoxes(slot);
    ShowPostButtons(slot);
}

// Shown, and holding what the selected slot does not: other text, another tick or, ticked,
// another time.
bool TTPostForm::EditsSelectedSlot() const {
    if (!Visible())
        return false;
    const MemoSlot& slot = SlotTable[SelectedSlot];
    const bool ticked = TimSetCBox.Checked();
    if (PstEdt.Text() != slot.Memo || ticked != (slot.TimeFlag != 0))
        return true;
    const std::array<std::string, kTimeBoxCount> texts = TimeBoxTexts();
    for (int i = 0; ticked && i < kTimeBoxCount; ++i) {
        if (ParseLeadingInt(texts[i]) != slot.Time.*kTimeFields[i])
            return true;
    }
    return false;
}

// On a monitor whatever the displays did since it was last shown.
void TTPostForm::ShowEditor() {
    if (!placed_) {
        CenterOnScreen();
        placed_ = true;
    }
    KeepOnScreen();
    Show();
}

void TTPostForm::FormShow() {
    background_.ShowIn(MainImg);
    SetMemoText(SlotTable[SelectedSlot].Memo);
    ShowNowInBoxes();
    PstEdt.Focus();
}

// Esc hides the window as its minimise button does.
void TTPostForm::FormDialogKey(int command) {
    if (command == IDCANCEL)
        CloseBtnClick();
}

bool TTPostForm::FormCloseQuery() {
    return BlockEditorClose == 0;
}

void TTPostForm::FormClose() {
    Release();
}

void TTPostForm::FormTimer(UINT_PTR id) {
    if (id == kChkPstTimTimer)
        ChkPstTimTimerTimer();
}

// A press on the background moves the window, as a drag on a caption would.
void TTPostForm::FormMouseDown(POINT /*at*/) {
    StartDragMove();
}

void TTPostForm::ShowSelectedSlot() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        PstBtn[slot].SetEnabled(true);
        if (slot != SelectedSlot)
            continue;
        PstBtn[slot].SetEnabled(false);
        SelPstImg.SetBounds(ThemeSettings.MiniFaceLeft, ThemeSettings.MiniFaceTop,
                            ThemeSettings.MiniFaceWidth, ThemeSettings.MiniFaceHeight);
        ShowThemePicture(SelPstImg, SlotTable[slot].SlotTheme.SmallFaceFile);
    }
}

void TTPostForm::ShowSlotPicture(int slot) {
    const MemoSlot& memoSlot = SlotTable[slot];
    const SlotTheme& theme = memoSlot.SlotTheme;
    Image& picture = PstBtnImg[slot];
    picture.SetBounds(theme.SlotBackLeft, theme.SlotBackTop, theme.SlotBackWidth,
                      theme.SlotBackHeight);
    PstBtn[slot].SetAccessibleName(
        kSlotButtonName + std::to_string(slot + 1) +
        (memoSlot.Memo.empty() ? kSlotButtonEmpty : kSlotButtonHoldsMemo));
    ShowThemePicture(picture, memoSlot.Memo.empty() ? theme.SlotBackFile0 : theme.SlotBackFile1);
    // The first picture leaves out black; the others their own bottom-left colour.
    if (slot == 0)
        picture.SetTransparentColor(RGB(0, 0, 0));
    picture.SetTransparent(true);
}

void TTPostForm::ShowAllSlotPictures() {
    for (int slot = 0; slot < kSlotCount; ++slot)
        ShowSlotPicture(slot);
}

void TTPostForm::ShowPostButtons(int slot) {
    const bool empty = SlotTable[slot].Memo.empty();
    SetBtn.SetVisible(empty);
    EdtBtn.SetVisible(!empty);
}

void TTPostForm::ShowTimerState() {
    SetTimerTick(SlotTable[SelectedSlot].TimeFlag != 0);
}

void TTPostForm::SetTimerTick(bool ticked) {
    TimSetCBox.SetChecked(ticked);
    // The tick's own handling may have refused it: the boxes follow the tick.
    EnableTimeBoxes(TimSetCBox.Checked());
}

void TTPostForm::ShowSlotTimeInBoxes(int slot) {
    ShowNowInBoxes();
    ShowTimeInBoxes(SlotTable[slot].Time);
}

void TTPostForm::ShowNowInBoxes() {
    ShowTimeInBoxes(ReminderTime::At(ReadClockIntoLocalNow()));
}

// The fields that are set; a box whose field is not set keeps its text.
void TTPostForm::ShowTimeInBoxes(const ReminderTime& time) {
    const std::array<ComboBox*, kTimeBoxCount> boxes = TimeBoxes();
    for (int i = 0; i < kTimeBoxCount; ++i) {
        if (time.*kTimeFields[i] != kNotSet)
            boxes[i]->SetText(std::to_string(time.*kTimeFields[i]));
    }
}

void TTPostForm::FillDayList() {
    const std::int32_t year = ParseLeadingInt(YearCmb.Text());
    const std::int32_t month = ParseLeadingInt(MonthCmb.Text());
    DayCmb.ClearItems();
    AddNumbers(DayCmb, 1, DaysInMonth(year, month));
    DayCmb.SetDropDownCount(8);
}

void TTPostForm::SetMemoText(std::string_view text) {
    PstEdt.SetText(text);
}

void TTPostForm::ClearTimerBoxes() {
    TimSetCBox.SetChecked(false);
    EnableTimeBoxes(false);
}

// A refusal leaves the selected slot's time unset.
std::optional<ReminderTime> TTPostForm::ValidateTimeBoxes() {
    const std::array<std::string, kTimeBoxCount> texts = TimeBoxTexts();
    const TimeCheck check = CheckTimeBoxes({texts[0], texts[1], texts[2], texts[3], texts[4]});
    if (check.Valid)
        return check.Values;
    StoreTimeCheck(check, SelectedSlot);
    Say(check.Message, TimeBoxes()[static_cast<int>(check.FailedBox)]->Handle());
    return std::nullopt;
}

bool TTPostForm::DayPastMonthEnd() const {
    const std::array<std::string, kTimeBoxCount> texts = TimeBoxTexts();
    return haripon::DayPastMonthEnd({texts[0], texts[1], texts[2], texts[3], texts[4]});
}

// The slot written once, with the text and the checked time (`now`: when a memo it replaces
// left); the pictures, the strip and the tick follow.
void TTPostForm::PostMemo(const std::optional<ReminderTime>& time, const LocalTime& now) {
    const int selected = SelectedSlot;
    const std::string text = PstEdt.Text();
    TakeMemoIn(selected, text, text.empty() ? std::nullopt : time, now);
    ShowAllSlotPictures();
    memos_->MemoPosted(selected);
    if (text.empty())
        TimSetCBox.SetChecked(false);
}

void TTPostForm::PstBtnClick(int tag) {
    SelectSlot(tag);
    SetMemoText(SlotTable[tag].Memo);
    ShowSelectedSlot();
    ShowSlotTimeInBoxes(tag);
    ShowTimerState();
    ShowPostButtons(tag);
    FillDayList();
    PstEdt.Focus();
}

void TTPostForm::TimSetCBox2Click() {
    if (TimSetCBox.Checked()) {
        if (PstEdt.Text().empty() && SetBtn.Visible()) {
            Say(kEmptyMemo, PstEdt.Handle());
            TimSetCBox.SetChecked(false);
            return;
        }
        EnableTimeBoxes(true);
    } else {
        EnableTimeBoxes(false);
    }
    FillDayList();
}

void TTPostForm::SetBtnClick() {
    if (PstEdt.Text().empty()) {
        Say(kEmptyMemo, PstEdt.Handle());
        return;
    }
    PostOrRewrite();
}

// Rewriting accepts an empty text, which takes the memo off its slot.
void TTPostForm::EdtBtnClick() {
    PostOrRewrite();
}

// A refused day leaves the checked time in the slot, and posts nothing.
void TTPostForm::PostOrRewrite() {
    const bool timed = TimSetCBox.Checked();
    std::optional<ReminderTime> time;
    if (timed) {
        time = ValidateTimeBoxes();
        if (!time)
            return;
        if (DayPastMonthEnd()) {
            SetSlotTime(SelectedSlot, *time);
            Say(kDayInvalid, nullptr);
            FillDayList();
            DayCmb.Focus();
            return;
        }
    }
    const int selected = SelectedSlot;
    SetTimerTick(timed);
    const DateTimeRecord& now = ReadClockIntoLocalNow();
    PostMemo(time, now);
    keeper_.SaveSettings(now);
    ShowPostButtons(selected);
}

void TTPostForm::DltBtnClick() {
    memos_->PeelOffMemo(SelectedSlot);
}

void TTPostForm::CloseBtnClick() {
    Hide();
}

void TTPostForm::ExitBtnClick() {
    exit_.RequestExit();
}

void TTPostForm::YearCmbChange() {
    FillDayList();
}

void TTPostForm::MonthCmbExit() {
    FillDayList();
}

void TTPostForm::ChkPstTimTimerTimer() {
    check_.CheckReminders();
}

std::array<ComboBox*, kTimeBoxCount> TTPostForm::TimeBoxes() {
    return {&YearCmb, &MonthCmb, &DayCmb, &TimeLCmb, &TimeMCmb};
}

std::array<std::string, kTimeBoxCount> TTPostForm::TimeBoxTexts() const {
    return {YearCmb.Text(), MonthCmb.Text(), DayCmb.Text(), TimeLCmb.Text(), TimeMCmb.Text()};
}

void TTPostForm::EnableTimeBoxes(bool enabled) {
    for (ComboBox* box : TimeBoxes())
        box->SetEnabled(enabled);
}

void TTPostForm::Say(const char* message, HWND focus) {
    TellUser(message, focus);
}

}  // namespace haripon
