#include "reminder/msg_form.h"

#include "model/settings.h"
#include "model/slot_table.h"
#include "reminder/reminder_draw.h"
#include "reminder/reminder_layout.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"
#include "theme/theme_pictures.h"

namespace haripon {

namespace {

void Place(Control& control, const PartPlace& place) {
    control.SetBounds(place.Left, place.Top, place.Width, place.Height);
}

}  // namespace

TMsgForm::TMsgForm() : Form(kClassName, kWidth, kHeight) {
    MsgMainImg.SetBounds(0, 0, kWidth, kHeight);
    Place(MsgFrmStrImg, kMemoStrip);
    Place(MsgFrmMainImg, kCharacterDesign);
    MsgFrmMainImg.SetTransparent(true);
    Place(MsgWndExtBtn, kCloseButtonDesign);
    MsgWndExtBtn.OnClick = [this] { MsgWndExtBtnClick(); };
    Place(MsgFrmChrStrImg, kLineStrip);
    AddControl(MsgMainImg);
    AddControl(MsgFrmStrImg);
    AddControl(MsgFrmMainImg);
    AddControl(MsgWndExtBtn);
    AddControl(MsgFrmChrStrImg);
}

// The background and the close button are the theme's from start to end; the background's
// pixels are read with the first reminder, not while the window waits hidden.
void TMsgForm::FormCreate() {
    RereadThemeFolder();
    SetCaption(VersionText);
    const ThemeFile theme;
    background_.Take(theme.String(kReminderKey));
    const ButtonTheme button = theme.Button(kReminderButtonKey);
    PlaceButton(MsgWndExtBtn, button.File, button);
}

void TMsgForm::DrawReminderLine(std::string_view line) {
    MsgFrmChrStrImg.SetPicture(RenderReminderLine(line, MsgFrmChrStrImg.TakePicture()));
}

void TMsgForm::DrawReminderMemo(std::string_view memo) {
    MsgFrmStrImg.SetPicture(RenderReminderMemo(
        memo, static_cast<COLORREF>(ThemeSettings.MessageColor), MsgFrmStrImg.TakePicture()));
}

void TMsgForm::ShowCharacter(std::string_view pictureFile) {
    MsgFrmMainImg.SetBounds(ThemeSettings.TimerCharLeft, ThemeSettings.TimerCharTop,
                            ThemeSettings.TimerCharWidth, ThemeSettings.TimerCharHeight);
    ShowThemePicture(MsgFrmMainImg, pictureFile);
}

// Centred the first time, then at the same place. On Windows a program in the background
// may not take the foreground: the window stays above the user's other windows while it is
// shown, and asks for the focus; hidden, it is an ordinary window again.
bool TMsgForm::ShowReminder() {
    if (!placed_) {
        CenterOnScreen();
        placed_ = true;
    }
    background_.ShowIn(MsgMainImg);
    SetStayOnTop(true);
    const bool closed = ShowModal();
    if (Handle())
        SetStayOnTop(false);
    return closed;
}

void TMsgForm::FormShow() {
    shownAt_ = GetTickCount();
}

// Enter and Esc close the window as its button does: a theme may give the button no size.
// Closing delivers the memo, and the window comes on its own: a key meant for another window
// (pressed in its first moment, held down since before it came, or repeating) does nothing.
bool TMsgForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    constexpr LPARAM kRepeated = 1 << 30;
    // The session ends, or the Restart Manager closes the program: the window goes without
    // delivering its memo, which is kept for the next start.
    if (message == WM_ENDSESSION && wParam) {
        CancelModal();
        return true;
    }
    // On Windows the window may come up behind the user's and take the keyboard only later:
    // its keys wait from then on.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        shownAt_ = GetTickCount();
    if (message != WM_KEYDOWN || (wParam != VK_ESCAPE && wParam != VK_RETURN))
        return false;
    if (!(lParam & kRepeated) && GetTickCount() - shownAt_ >= keyDelay_)
        MsgWndExtBtnClick();
    result = 0;
    return true;
}

void TMsgForm::MsgWndExtBtnClick() {
    Close();
}

}  // namespace haripon
