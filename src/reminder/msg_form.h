// TMsgForm: the reminder window, in which a due memo's character speaks one of its lines
// above the memo. Closing it delivers the memo.
#pragma once

#include <oleacc.h>

#include <string>

#include "model/periods.h"
#include "platform/core/answer_keys.h"
#include "reminder/reminder_operations.h"
#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "theme/theme_keys.h"
#include "theme/theme_pictures.h"

namespace haripon {

class TMsgForm : public Form, public ReminderWindowOperations {
  public:
    static constexpr wchar_t kClassName[] = L"TMsgForm";
    static constexpr int kWidth = kReminderSize.Width;
    static constexpr int kHeight = kReminderSize.Height;

    TMsgForm();

    bool Ready() const override { return Handle() != nullptr; }
    bool Visible() const override { return Form::Visible(); }
    void DrawReminderLine(std::string_view line) override;
    void DrawReminderMemo(std::string_view memo) override;
    void ShowCharacter(std::string_view pictureFile) override;
    bool ShowReminder() override;

    // Enter and Esc close the window once the user has given it the keyboard this long ago.
    void SetKeyDelay(DWORD milliseconds) { keys_.SetDelay(milliseconds); }

    // An alert: screen readers read its window text, the line and the memo, as it comes up.
    long AccessibleRole() const override { return ROLE_SYSTEM_ALERT; }
    // A reminder is what the user asked to be told of: of high priority.
    long AccessibleState() const override { return STATE_SYSTEM_ALERT_HIGH; }

    // The parts, bottom to top.
    Image MsgMainImg;
    Image MsgFrmStrImg;
    Image MsgFrmMainImg;
    SpeedButton MsgWndExtBtn;
    Image MsgFrmChrStrImg;

  protected:
    void FormCreate() override;
    void FormShow() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void MsgWndExtBtnClick();

    // The message by which the window reports a picture once it is on the screen.
    static constexpr UINT kReportPictureMessage = WM_APP + 1;

    ThemeBackground background_;
    std::string pictureReport_;
    std::string line_;
    std::string memo_;
    bool placed_ = false;
    AnswerKeys keys_{kAnswerKeyDelayMilliseconds};
};

}  // namespace haripon
