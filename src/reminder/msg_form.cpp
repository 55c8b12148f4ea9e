#include "reminder/msg_form.h"

#include "model/theme_folder.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "reminder/reminder_draw.h"
#include "reminder/reminder_layout.h"
#include "reminder/reminder_rules.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"
#include "platform/win32/accessible.h"
#include "platform/win32/control_table.h"
#include "platform/win32/error_report.h"
#include "theme/theme_pictures.h"

namespace haripon {

namespace {

Place DesignedAt(const PartPlace& place) {
    return {place.Left, place.Top, place.Width, place.Height};
}

}  // namespace

TMsgForm::TMsgForm() : Form(kClassName, kWidth, kHeight) {
    SetKeptWhollyOnScreen(true);  // its close button must be in reach
    // The parts bottom to top, as the window is designed; the theme places the character and
    // the button anew.
    AddControls(*this,
                {
                    {MsgMainImg, {0, 0, kWidth, kHeight}},
                    {MsgFrmStrImg, DesignedAt(kMemoStrip)},
                    {MsgFrmMainImg, DesignedAt(kCharacterDesign)},
                    {MsgWndExtBtn, DesignedAt(kCloseButtonDesign), nullptr, kCloseReminderName,
                     false, [this] { MsgWndExtBtnClick(); }},
                    {MsgFrmChrStrImg, DesignedAt(kLineStrip)},
                },
                kPressAction);
    MsgFrmMainImg.SetTransparent(true);
}

// The background and the close button are the theme's from start to end; the background's
// pixels are read with the first reminder, not while the window waits hidden.
void TMsgForm::FormCreate() {
    RereadThemeFolder();
    const ThemeFile theme;
    background_.Take(theme.String(kReminderKey));
    const ButtonTheme button = theme.Button(kReminderButtonKey);
    PlaceButton(MsgWndExtBtn, button.File, button);
}

void TMsgForm::DrawReminderLine(std::string_view line) {
    MsgFrmChrStrImg.SetPicture(RenderReminderLine(line, MsgFrmChrStrImg.TakePicture()));
    line_ = line;
    SetCaption(ReminderCaption(line_, memo_));
}

void TMsgForm::DrawReminderMemo(std::string_view memo) {
    MsgFrmStrImg.SetPicture(RenderReminderMemo(
        memo, static_cast<COLORREF>(ThemeSettings.MessageColor), MsgFrmStrImg.TakePicture()));
    memo_ = memo;
    SetCaption(ReminderCaption(line_, memo_));
}

void TMsgForm::ShowCharacter(std::string_view pictureFile) {
    MsgFrmMainImg.SetBounds(ThemeSettings.TimerCharLeft, ThemeSettings.TimerCharTop,
                            ThemeSettings.TimerCharWidth, ThemeSettings.TimerCharHeight);
    try {
        MsgFrmMainImg.Load(ThemePath(pictureFile));
    } catch (const std::exception& error) {
        MsgFrmMainImg.Clear();
        pictureReport_ = error.what();
    }
}

// Centred the first time, then at the same place, and on a monitor whatever the displays did
// since. The window stays above the user's other windows while it is shown, but does not take
// the keyboard from the window the user types into; hidden, it is an ordinary window again.
bool TMsgForm::ShowReminder() {
    if (!placed_) {
        CenterOnScreen();
        placed_ = true;
    }
    KeepOnScreen();
    background_.ShowIn(MsgMainImg);
    SetStayOnTop(true);
    const bool closed = ShowModal(false);
    if (Handle())
        SetStayOnTop(false);
    return closed;
}

// A picture that could not be loaded is reported once the window is on the screen, above it:
// the reminder never waits behind a report the user cannot see.
void TMsgForm::FormShow() {
    keys_.Taken();
    AnnounceAlert(Handle());
    if (!pictureReport_.empty())
        PostMessageW(Handle(), kReportPictureMessage, 0, 0);
}

// Enter and Esc close the window as its button does: a theme may give the button no size.
// Closing delivers the memo, and the window comes on its own: only once the user has given it
// the keyboard (a click into it, Alt+Tab, a click on the tray icon) do keys count, and not in
// their first moment, held down since before, or repeating.
bool TMsgForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    constexpr LPARAM kRepeated = 1 << 30;
    // The session ends, or the Restart Manager closes the program: the window goes without
    // delivering its memo, which is kept for the next start.
    if (message == WM_ENDSESSION && wParam) {
        CancelModal();
        return true;
    }
    // The report's closing gives the window back the keyboard: that is not the user's doing.
    if (message == kReportPictureMessage) {
        ShowErrorReportOver(Handle(), std::exchange(pictureReport_, {}));
        keys_.Taken();
        return true;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        keys_.Given(GetTickCount());
    if (message != WM_KEYDOWN || (wParam != VK_ESCAPE && wParam != VK_RETURN))
        return false;
    if (keys_.Counts(GetTickCount(), (lParam & kRepeated) != 0))
        MsgWndExtBtnClick();
    result = 0;
    return true;
}

void TMsgForm::MsgWndExtBtnClick() {
    Close();
}

}  // namespace haripon
