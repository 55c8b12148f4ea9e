// The title window and the tray icon of a program started in the test's own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "app/application.h"
#include "model/removed_memos.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/message_box.h"
#include "platform/win32/picture.h"
#include "platform/win32/popup_menu.h"
#include "form_driver.h"
#include "process_driver.h"
#include "settings_layout.h"
#include "slot_setup.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using testing_support::ProgramFolder;

// What the tray menu looked like each time it opened: N1, CG1, N4, Exit1 enabled.
struct MenuSeen {
    bool openEditor, changeTheme, showVersion, exit;
};

bool IconPresent(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = TPTitleForm::kTrayIconId;
    data.uFlags = NIF_TIP;
    lstrcpyW(data.szTip, L"probe");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

class TitleAndTray : public testing::Test {
  protected:
    void SetUp() override {
        application_.CreateWindows();
        titleWindow_ = application_.Title().Handle();
    }
    void TearDown() override { SetVersionBoxOpen(false); }

    void RightClickIcon() const {
        SendMessageW(titleWindow_, TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                     WM_RBUTTONDOWN);
    }
    // The first display without memos opens the editor; these tests start from the tray.
    void FirstDisplayInTheTray() {
        application_.FirstDisplay();
        application_.Editor().Hide();
    }

    ProgramFolder folder_;
    Application application_{folder_.Path() / ""};
    HWND titleWindow_ = nullptr;
    std::vector<MenuSeen> menus_;
    const char* itemToChoose_ = nullptr;
    const PopupMenu::ScopedHook menuHook_{[this](const PopupMenu& menu) -> UINT {
        menus_.push_back({menu.Enabled(menu.IdOf(kOpenEditorCaption)),
                          menu.Enabled(menu.IdOf(kChangeThemeCaption)),
                          menu.Enabled(menu.IdOf(kVersionCaption)),
                          menu.Enabled(menu.IdOf(kExitCaption))});
        return itemToChoose_ ? menu.IdOf(std::exchange(itemToChoose_, nullptr)) : 0;
    }};
};

TEST_F(TitleAndTray, TheTitleWindowShowsThePictureAtItsSize) {
    wchar_t className[32] = {};
    GetClassNameW(titleWindow_, className, 32);
    EXPECT_STREQ(className, L"TPTitleForm");
    RECT client{};
    GetClientRect(titleWindow_, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);

    const Bitmap shown = application_.Title().RenderClient();
    const Bitmap picture = LoadBitmapFile(ThemePath(ThemeFile().String("TITLE")));
    ASSERT_EQ(picture.Width(), 300);
    int differing = 0;
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 300; x += 7)
            differing += shown.PixelAt(x, y) != picture.PixelAt(x, y);
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(TitleAndTray, TheFirstDisplayHidesTheTitleAndAddsTheIcon) {
    application_.Title().Show();
    EXPECT_FALSE(IconPresent(titleWindow_));
    application_.FirstDisplay();
    EXPECT_FALSE(IsWindowVisible(titleWindow_));
    EXPECT_TRUE(IconPresent(titleWindow_));
}

TEST_F(TitleAndTray, ARestartedTaskbarGetsTheIconBack) {
    FirstDisplayInTheTray();
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = titleWindow_;
    data.uID = TPTitleForm::kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));  // what a taskbar restart loses
    ASSERT_FALSE(IconPresent(titleWindow_));
    SendMessageW(titleWindow_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconPresent(titleWindow_));
}

// At log-on the shell may not be ready: the icon is tried again until it is there.
TEST_F(TitleAndTray, AnIconTheShellRefusesIsTriedAgain) {
    const TrayIcon::ScopedFailures notReady(2);
    FirstDisplayInTheTray();
    EXPECT_FALSE(IconPresent(titleWindow_));
    SendMessageW(titleWindow_, WM_TIMER, TPTitleForm::kTrayRetryTimer, 0);
    EXPECT_FALSE(IconPresent(titleWindow_));
    SendMessageW(titleWindow_, WM_TIMER, TPTitleForm::kTrayRetryTimer, 0);
    EXPECT_TRUE(IconPresent(titleWindow_));
    EXPECT_FALSE(KillTimer(titleWindow_, TPTitleForm::kTrayRetryTimer));  // no more tries
}

TEST_F(TitleAndTray, MenuItemsFollowTheOpenWindows) {
    FirstDisplayInTheTray();
    RightClickIcon();
    ASSERT_EQ(menus_.size(), 1u);
    EXPECT_TRUE(menus_[0].openEditor && menus_[0].changeTheme && menus_[0].showVersion &&
                menus_[0].exit);

    SendMessageW(titleWindow_, TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId, WM_LBUTTONDOWN);
    SendMessageW(titleWindow_, TPTitleForm::kTrayMessage, 99, WM_RBUTTONDOWN);
    EXPECT_EQ(menus_.size(), 1u);  // a single click and another icon's message do nothing

    // The version box: shown once with its text and caption; while it is open the user
    // right-clicks the icon again, and the tray menu offers only "exit" and "cancel".
    std::vector<std::string> boxes;
    const ScopedMessageBoxHook boxHook([&](const std::string& text, const std::string& caption) {
        boxes.push_back(caption + "|" + text);
        RightClickIcon();
    });
    itemToChoose_ = kVersionCaption;
    RightClickIcon();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], std::string(kVersionText) + "|" + kVersionText);
    ASSERT_EQ(menus_.size(), 3u);
    EXPECT_FALSE(menus_[2].openEditor || menus_[2].changeTheme || menus_[2].showVersion);
    EXPECT_TRUE(menus_[2].exit);
    EXPECT_EQ(VersionBoxOpen, 0);
}

// A shell of the icon's fourth version: the menu comes with its request (the right button
// released, Shift+F10, the menu key), not with the press; Enter on the icon opens the editor.
TEST_F(TitleAndTray, TheFourthVersionTakesTheKeyboard) {
    FirstDisplayInTheTray();
    const auto shell = [this](UINT event) {
        SendMessageW(titleWindow_, TPTitleForm::kTrayMessage, MAKEWPARAM(40, 30),
                     MAKELPARAM(event, TPTitleForm::kTrayIconId));
    };
    shell(WM_RBUTTONDOWN);
    EXPECT_TRUE(menus_.empty());
    shell(WM_CONTEXTMENU);
    EXPECT_EQ(menus_.size(), 1u);
    shell(NIN_KEYSELECT);
    EXPECT_TRUE(application_.Editor().Visible());
}

// With no slot free, the item that brings a memo back says so and cannot be chosen.
TEST_F(TitleAndTray, NoSlotFreeForARemovedMemo) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        testing_support::SetMemoOf(slot, "taken");
    KeepRemovedMemo(0, ReadLocalClock());
    FirstDisplayInTheTray();
    bool refused = false;
    const PopupMenu::ScopedHook hook([&](const PopupMenu& menu) -> UINT {
        refused = !menu.Enabled(menu.IdOf(kRestoreNoSlotCaption));
        return 0;
    });
    RightClickIcon();
    EXPECT_TRUE(refused);
}

// Which of the two windows is higher in the stack of top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper || window == lower)
            return window == upper;
    }
    return false;
}

// A double click while the editor is open, behind another program's window: the editor
// comes to the front, and nothing else runs.
TEST_F(TitleAndTray, TheWindowThatHoldsTheIconComesToTheFront) {
    application_.FirstDisplay();  // no memo: the editor opens
    TTPostForm& editor = application_.Editor();
    ASSERT_TRUE(editor.Visible());
    testing_support::LoopProbe other;
    SetWindowPos(other.Handle(), HWND_TOP, 0, 0, 500, 500, SWP_SHOWWINDOW);
    ASSERT_TRUE(Above(other.Handle(), editor.Handle()));
    editor.YearCmb.SetText("1999");
    SendMessageW(titleWindow_, TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                 WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Above(editor.Handle(), other.Handle()));
    EXPECT_EQ(editor.YearCmb.Text(), "1999");
    EXPECT_TRUE(menus_.empty());
}

TEST_F(TitleAndTray, ExitFromTheMenuSavesAndRemovesTheIcon) {
    FirstDisplayInTheTray();
    ASSERT_TRUE(IconPresent(titleWindow_));
    itemToChoose_ = kExitCaption;
    RightClickIcon();

    EXPECT_FALSE(IconPresent(titleWindow_));
    EXPECT_EQ(folder_.Read("timpsd.ini"), testing_support::FreshSettingsLayout());
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace haripon
