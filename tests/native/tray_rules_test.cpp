#include "app/tray_rules.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

TEST(TrayRules, ClicksWhileWindowsAreOpen) {
    const TrayWindows none;
    EXPECT_EQ(TrayActionFor(kTrayRightButtonDown, none), TrayAction::ShowMenu);
    EXPECT_EQ(TrayActionFor(kTrayLeftDoubleClick, none), TrayAction::OpenEditor);
    for (unsigned other : {0x0200u, 0x0201u, 0x0202u, 0x0205u, 0x0206u, 0x0207u}) {
        EXPECT_EQ(TrayActionFor(other, none), TrayAction::Ignore) << other;
    }

    TrayWindows reminder;
    reminder.ReminderVisible = true;
    reminder.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(kTrayRightButtonDown, reminder), TrayAction::FrontReminder);
    EXPECT_EQ(TrayActionFor(kTrayLeftDoubleClick, reminder), TrayAction::FrontReminder);
    EXPECT_EQ(TrayActionFor(0x0201u, reminder), TrayAction::Ignore);

    TrayWindows editor;
    editor.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(kTrayLeftDoubleClick, editor), TrayAction::FrontEditor);
    EXPECT_EQ(TrayActionFor(kTrayRightButtonDown, editor), TrayAction::ShowMenu);

    TrayWindows chooser;
    chooser.ChooserVisible = true;
    chooser.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(kTrayLeftDoubleClick, chooser), TrayAction::FrontChooser);

    TrayWindows versionBox;
    versionBox.VersionBoxOpen = true;
    EXPECT_EQ(TrayActionFor(kTrayLeftDoubleClick, versionBox), TrayAction::FrontVersionBox);
    EXPECT_EQ(TrayActionFor(kTrayRightButtonDown, versionBox), TrayAction::ShowMenu);
}

TEST(TrayRules, MenuItemsGreyedWhileWindowsAreOpen) {
    auto state = [](bool editor, bool versionBox, bool chooser) {
        TrayWindows windows;
        windows.EditorVisible = editor;
        windows.VersionBoxOpen = versionBox;
        windows.ChooserVisible = chooser;
        const TrayMenuState s = TrayMenuStateFor(windows);
        return std::make_tuple(s.OpenEditor, s.ChangeTheme, s.ShowVersion, s.RestoreMemo);
    };
    EXPECT_EQ(state(false, false, false), std::make_tuple(true, true, true, true));
    EXPECT_EQ(state(true, false, false), std::make_tuple(false, false, true, true));
    EXPECT_EQ(state(false, true, false), std::make_tuple(false, false, false, false));
    EXPECT_EQ(state(false, false, true), std::make_tuple(false, false, false, false));
    EXPECT_EQ(state(true, true, false), std::make_tuple(false, false, false, false));
}

}  // namespace
}  // namespace haripon
