// TPTitleForm: the title picture at start, then the hidden main window of the program that
// owns the tray icon and its menu.
#pragma once

#include "app/tray_owner.h"
#include "app/tray_rules.h"
#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/tray_icon.h"
#include "theme/theme_keys.h"

namespace haripon {

class TPTitleForm : public Form {
  public:
    // A running copy of the program is recognised by a window of this class.
    static constexpr wchar_t kClassName[] = L"TPTitleForm";
    static constexpr int kWidth = kTitleSize.Width;
    static constexpr int kHeight = kTitleSize.Height;
    static constexpr UINT kTrayIconId = 100;
    static constexpr UINT kTrayMessage = WM_USER + 1;
    static constexpr UINT_PTR kTrayRetryTimer = 2;

    explicit TPTitleForm(TrayOwner& owner);

    // Adds the tray icon; while the shell refuses it (at log-on it may not be ready yet),
    // it is tried again every few seconds for about a minute.
    void AddTrayIcon();
    // After the first display the title is never shown again: its picture goes.
    void FinishTitle();
    void RemoveTrayIcon() { tray_.Remove(); }
    void SetTrayTip(std::string tip) { tray_.SetTip(std::move(tip)); }
    const std::string& TrayTip() const { return tray_.Tip(); }
    bool TrayIconAdded() const { return tray_.Added(); }

  protected:
    void FormCreate() override;
    void FormClose() override;
    bool IsMainForm() const override { return true; }
    void FormTimer(UINT_PTR id) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void TitleTimerTimer();
    void TrayIconMessage(const TrayEvent& event);
    void ShowTrayMenu(const TrayEvent& event);
    void TrayIconDoubleClick();
    void N1Click();
    void CG1Click();
    void N4Click();
    // The recently removed memos, newest first, each to be brought back.
    void FillRestoreMenu(bool enabled);
    void Exit1Click();

    TrayOwner& application_;
    Image TitleImg;
    PopupMenu PTitlePup;
    UINT N1 = 0;
    UINT CG1 = 0;
    UINT N4 = 0;
    UINT N5 = 0;
    PopupMenu removedPup_{200};
    TrayIcon tray_;
    const UINT taskbarCreated_;
    int trayTries_ = 0;
};

}  // namespace haripon
