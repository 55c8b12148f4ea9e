// TChgCgFrm: the theme chooser. The user picks one of the installed picture themes; it is
// stored for the next start.
#pragma once

#include <string>

#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/windowed_controls.h"
#include "theme/theme_keys.h"
#include "theme/theme_pictures.h"

namespace haripon {

class TChgCgFrm : public Form {
  public:
    static constexpr wchar_t kClassName[] = L"TChgCgFrm";
    static constexpr int kWidth = kChooserSize.Width;
    static constexpr int kHeight = kChooserSize.Height;

    TChgCgFrm();

    // Fills the list from the catalogue and the text from the active theme, then shows the
    // dialog modally until it closes.
    void ShowChooser();

    // The controls, bottom to top.
    Image ChgCgImg;
    Label Label1;
    SpeedButton ChgCgCslBtn;
    SpeedButton ChgCgOkBtn;
    ComboBox SelDaaCgCmb;

  protected:
    void CreateWindowedControls() override;
    void FormCreate() override;
    void FormShow() override;
    void FormDialogKey(int command) override;

  private:
    void ChgCgOkBtnClick();
    void ChgCgCslBtnClick();

    ThemeBackground background_;
};

}  // namespace haripon
