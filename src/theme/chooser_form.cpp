#include "theme/chooser_form.h"

#include <algorithm>

#include "model/theme_folder.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "model/tell_user.h"
#include "theme/theme_catalogue.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"
#include "theme/theme_pictures.h"

namespace haripon {

TChgCgFrm::TChgCgFrm() : Form(kClassName, kWidth, kHeight) {
    ChgCgImg.SetBounds(0, 0, kWidth, kHeight);
    AddControl(ChgCgImg);
    Label1.SetBounds(25, 16, 193, 12);
    Label1.SetCaption(kChooseThemePrompt);
    Label1.SetTransparent(true);
    Label1.SetTextColor(RGB(255, 255, 255));
    AddControl(Label1);
    ChgCgCslBtn.SetBounds(88, 80, 73, 22);
    ChgCgCslBtn.SetFlat(true);
    ChgCgCslBtn.SetHint(kCancelHint);
    ChgCgCslBtn.OnClick = [this] { ChgCgCslBtnClick(); };
    AddControl(ChgCgCslBtn);
    ChgCgOkBtn.SetBounds(176, 80, 55, 22);
    ChgCgOkBtn.SetFlat(true);
    ChgCgOkBtn.SetHint(kConfirmHint);
    ChgCgOkBtn.OnClick = [this] { ChgCgOkBtnClick(); };
    AddControl(ChgCgOkBtn);
}

void TChgCgFrm::CreateWindowedControls() {
    SelDaaCgCmb.Create(*this);
    SelDaaCgCmb.SetBounds(48, 48, 145, 20);
}

// A missing place key gives 0, not the designed place. The background's pixels are read
// when the chooser is first wanted.
void TChgCgFrm::FormCreate() {
    SetCaption(kChooserName);  // no title bar shows it: what a screen reader names the window
    const ThemeFile theme;
    background_.Take(theme.String(kChooserKey));
    const ButtonTheme cancel = theme.Button(kChooserCancelKey);
    PlaceButton(ChgCgCslBtn, cancel.File, cancel);
    const ButtonTheme ok = theme.Button(kChooserOkKey);
    PlaceButton(ChgCgOkBtn, ok.File, ok);
}

void TChgCgFrm::ShowChooser() {
    SelDaaCgCmb.SetItems(ReadThemeCatalogue());
    SelDaaCgCmb.SetText(ActiveThemeName(ThemeFolder));
    SelDaaCgCmb.SetDropDownCount(8);
    background_.ShowIn(ChgCgImg);
    CenterOnScreen();
    ShowModal();
}

// The name can be typed at once.
void TChgCgFrm::FormShow() {
    SelDaaCgCmb.Focus();
}

// Enter confirms and Esc cancels, as the buttons do: a theme may give them no size.
void TChgCgFrm::FormDialogKey(int command) {
    if (command == IDOK) {
        ChgCgOkBtnClick();
    } else {
        ChgCgCslBtnClick();
    }
}

// Only a name of the catalogue, exactly as it is written there, is taken.
void TChgCgFrm::ChgCgOkBtnClick() {
    const std::string name = SelDaaCgCmb.Text();
    const std::vector<std::string> names = ReadThemeCatalogue();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        TellUser(kThemeInvalid, SelDaaCgCmb.Handle());
        return;
    }
    WriteThemeFolder(kThemesFolder + name + "\\");
    TellUser(kThemeFromNextStart);
    Close();
}

void TChgCgFrm::ChgCgCslBtnClick() {
    Close();
}

}  // namespace haripon
