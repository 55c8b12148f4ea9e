// TTPostForm: the memo editor window (the tray menu's settings window). A slot is chosen
// here, its memo written, given a reminder date and time, and posted, rewritten or peeled
// off. The reminder check runs on its timer.
#pragma once

#include <array>
#include <string>

#include "memo/memo_layout.h"
#include "model/calendar.h"
#include "model/editor_operations.h"
#include "platform/core/file_name.h"
#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/windowed_controls.h"
#include "reminder/reminder_check.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"
#include "theme/theme_pictures.h"

namespace haripon {

class MemoWindowOperations;
class ReminderWindowOperations;
class SettingsKeeper;

// How the editor's exit button ends the program.
class ProgramExit {
  public:
    virtual ~ProgramExit() = default;
    // The one way out: the settings saved, every window closed, the tray icon removed.
    virtual void RequestExit() = 0;
};

class TTPostForm : public Form, public EditorOperations {
  public:
    static constexpr wchar_t kClassName[] = L"TTPostForm";
    static constexpr int kWidth = kEditorSize.Width;
    static constexpr int kHeight = kEditorSize.Height;
    // Bytes of Shift-JIS: what the large memo label shows.
    static constexpr std::size_t kMemoLimit = kLargeLabelBytes;
    static constexpr UINT_PTR kChkPstTimTimer = 1;

    // `folder`: where the program's files are; `keeper` saves them.
    TTPostForm(FileName folder, ProgramExit& exit, SettingsKeeper& keeper);

    // The desktop memo windows the editor posts to and the window due memos are shown in;
    // they are made after the editor and know it in turn.
    void Connect(MemoWindowOperations& memos, ReminderWindowOperations& reminder,
                 RemindersWaiting& waiting);

    // What the tray, the memo windows and the reminder check use.
    bool Visible() const override { return Form::Visible(); }
    void Open(EditorOpening opening, int slot) override;
    void SlotPeeledOff(int slot, bool wasTimed) override;
    void SlotDelivered(int slot) override;
    void SlotChangedElsewhere(int slot) override;
    // True while the editor shows something of the selected slot that the slot does not
    // hold yet: the user edits its memo.
    bool EditsSelectedSlot() const;

    // The program ends: no reminder comes up any more, also while a message of the end is
    // open.
    void StopReminderCheck() { check_.Stop(); }
    // Shows the window and brings it to the front; centred the first time.
    void ShowEditor();
    void ShowSelectedSlot();
    void ShowSlotPicture(int slot);
    void ShowAllSlotPictures();
    void ShowTimerState();
    void ShowSlotTimeInBoxes(int slot);
    void ShowPostButtons(int slot);
    void ShowNowInBoxes();
    void FillDayList();
    // The memo text box PstEdt.
    void SetMemoText(std::string_view text);
    // The five values when they are valid; none when a box was refused (its message has been
    // shown and the slot's time unset).
    std::optional<ReminderTime> ValidateTimeBoxes();
    bool DayPastMonthEnd() const;
    void PostMemo(const std::optional<ReminderTime>& time, const LocalTime& now);

    // The controls, bottom to top.
    Image MainImg;
    Label NowPostTit;
    Label NowPostName;
    Image SelPstImg;
    std::array<Image, kSlotCount> PstBtnImg;
    std::array<SpeedButton, kSlotCount> PstBtn;
    SpeedButton DltBtn;
    SpeedButton EdtBtn;
    SpeedButton SetBtn;
    SpeedButton CloseBtn;
    SpeedButton ExitBtn;
    Label PostMsgTitLbl;
    Label YearLbl;
    Label MonthLbl1;
    Label DayLbl1;
    Label TimeLbl;
    Label TimeMmLbl;
    // Windowed, in tab order.
    ComboBox YearCmb;
    ComboBox MonthCmb;
    ComboBox DayCmb;
    ComboBox TimeLCmb;
    ComboBox TimeMCmb;
    CheckBox TimSetCBox;
    Edit PstEdt;

  protected:
    void CreateWindowedControls() override;
    void FormCreate() override;
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormTimer(UINT_PTR id) override;
    void FormMouseDown(POINT at) override;
    void FormDialogKey(int command) override;

  private:
    void LayOut(const EditorLayout& layout);
    void ApplyEditorSkin();
    std::array<ComboBox*, kTimeBoxCount> TimeBoxes();
    std::array<std::string, kTimeBoxCount> TimeBoxTexts() const;
    void EnableTimeBoxes(bool enabled);
    void ShowTimeInBoxes(const ReminderTime& time);
    // The tick set as the program sets it (its handling runs), the boxes following it.
    void SetTimerTick(bool ticked);
    // The timer check box unticked and the five date and time boxes disabled.
    void ClearTimerBoxes();
    void Say(const char* message, HWND focus);

    void PstBtnClick(int tag);
    void TimSetCBox2Click();
    void SetBtnClick();
    void EdtBtnClick();
    void PostOrRewrite();
    void DltBtnClick();
    void CloseBtnClick();
    void ExitBtnClick();
    void YearCmbChange();
    void MonthCmbExit();
    void ChkPstTimTimerTimer();

    FileName folder_;
    ProgramExit& exit_;
    SettingsKeeper& keeper_;
    MemoWindowOperations* memos_ = nullptr;
    ReminderCheck check_;
    ThemeBackground background_;
    bool placed_ = false;
};

}  // namespace haripon
