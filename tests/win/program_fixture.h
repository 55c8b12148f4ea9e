// The program's windows in the test's own process, on a copy of the staged program folder,
// with its clock held, its message boxes recorded and its menus answered by the test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "form_driver.h"
#include "platform/core/local_clock.h"
#include "platform/win32/accessible.h"
#include "platform/win32/message_box.h"
#include "platform/win32/popup_menu.h"
#include "process_driver.h"
#include "slot_setup.h"

namespace haripon::testing_support {

struct BoxSeen {
    std::string text;
    std::string caption;
};

class ProgramFixture : public testing::Test {
  protected:
    // Creates the windows on a settings file (none for an empty text).
    void Start(const std::string& settings) {
        if (!settings.empty())
            folder_.Write("timpsd.ini", settings);
        UseAccessibleForms();
        app_.CreateWindows();
        app_.Reminder().SetKeyDelay(
            0);  // the keys' first moment: Reminders.KeysWaitForTheUserAndAMoment
    }
    TTPostForm& editor() { return app_.Editor(); }
    std::string Settings() const { return folder_.Read("timpsd.ini"); }
    // The tray icon's menu, with one item chosen (none for null).
    void ChooseTrayItem(const char* caption) {
        choose_ = caption;
        SendMessageW(app_.Title().Handle(), TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                     WM_RBUTTONDOWN);
    }
    void RightClickMemo(int slot, const char* caption) {
        choose_ = caption;
        SendMessageW(app_.MemoWindow(slot).Handle(), WM_RBUTTONDOWN, MK_RBUTTON,
                     MAKELPARAM(200, 10));
    }

    const ScopedFixedClock clock_{Moment(2026, 12, 8, 9, 5)};
    ProgramFolder folder_;
    Application app_{folder_.Path() / ""};
    std::vector<BoxSeen> boxes_;
    std::function<void()> whileBoxShows_;  // what the user does before closing a box
    const ScopedMessageBoxHook boxHook_{
        [this](const std::string& text, const std::string& caption) {
            boxes_.push_back({text, caption});
            if (whileBoxShows_)
                std::exchange(whileBoxShows_, nullptr)();
        }};
    int menusOpened_ = 0;
    const char* choose_ = nullptr;
    const PopupMenu::ScopedHook menuHook_{[this](const PopupMenu& menu) -> UINT {
        ++menusOpened_;
        return choose_ ? menu.IdOf(std::exchange(choose_, nullptr)) : 0;
    }};
};

}  // namespace haripon::testing_support
