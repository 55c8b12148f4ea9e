#include "theme/chooser_form.h"

#include <algorithm>

#include "model/settings.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/message_box.h"
#include "theme/theme_catalogue.h"
#include "theme/theme_loader.h"

namespace haripon {

namespace {

// A button's glyph strip and place from the theme; a missing place key gives 0.
void PlaceButton(const ThemeFile& theme, SpeedButton& button, const std::string& key) {
    button.LoadGlyph(ThemePath(theme.String(key)));
    button.SetBounds(theme.Integer(key + "_XPOS"), theme.Integer(key + "_YPOS"),
                     theme.Integer(key + "_XSIZ"), theme.Integer(key + "_YSIZ"));
}

}  // namespace

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

void TChgCgFrm::FormCreate() {
    const ThemeFile theme;
    ChgCgImg.Load(ThemePath(theme.String("THEME")));
    PlaceButton(theme, ChgCgCslBtn, "THEMECSLBTN");
    PlaceButton(theme, ChgCgOkBtn, "THEMERETBTN");
}

void TChgCgFrm::ShowChooser() {
    SelDaaCgCmb.SetItems(ReadThemeCatalogue());
    SelDaaCgCmb.SetText(ActiveThemeName(ThemeFolder));
    SelDaaCgCmb.SetDropDownCount(8);
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
        ShowMessage(kThemeInvalid, VersionText, SelDaaCgCmb.Handle());
        return;
    }
    WriteThemeFolder(kThemesFolder + name + "\\");
    ShowMessage(kThemeFromNextStart, VersionText);
    Close();
}

void TChgCgFrm::ChgCgCslBtnClick() {
    Close();
}

}  // namespace haripon
