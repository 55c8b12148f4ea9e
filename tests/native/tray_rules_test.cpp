#include "app/tray_rules.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

// The older version's mouse messages.
TrayEvent Mouse(unsigned message) {
    return TrayEvent{message, false, 0, 0};
}

TEST(TrayRules, ClicksWhileWindowsAreOpen) {
    const TrayWindows none;
    EXPECT_EQ(TrayActionFor(Mouse(kTrayRightButtonDown), none), TrayAction::ShowMenu);
    EXPECT_EQ(TrayActionFor(Mouse(kTrayLeftDoubleClick), none), TrayAction::OpenEditor);
    for (unsigned other :
         {0x0200u, 0x0201u, 0x0202u, 0x0205u, 0x0206u, 0x0207u, kTrayContextMenu, kTrayKeySelect}) {
        EXPECT_EQ(TrayActionFor(Mouse(other), none), TrayAction::Ignore) << other;
    }

    TrayWindows reminder;
    reminder.ReminderVisible = true;
    reminder.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(Mouse(kTrayRightButtonDown), reminder), TrayAction::FrontReminder);
    EXPECT_EQ(TrayActionFor(Mouse(kTrayLeftDoubleClick), reminder), TrayAction::FrontReminder);
    EXPECT_EQ(TrayActionFor(Mouse(0x0201u), reminder), TrayAction::Ignore);

    TrayWindows editor;
    editor.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(Mouse(kTrayLeftDoubleClick), editor), TrayAction::FrontEditor);
    EXPECT_EQ(TrayActionFor(Mouse(kTrayRightButtonDown), editor), TrayAction::ShowMenu);

    TrayWindows chooser;
    chooser.ChooserVisible = true;
    chooser.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(Mouse(kTrayLeftDoubleClick), chooser), TrayAction::FrontChooser);

    TrayWindows versionBox;
    versionBox.VersionBoxOpen = true;
    EXPECT_EQ(TrayActionFor(Mouse(kTrayLeftDoubleClick), versionBox), TrayAction::FrontVersionBox);
    EXPECT_EQ(TrayActionFor(Mouse(kTrayRightButtonDown), versionBox), TrayAction::ShowMenu);
}

// The fourth version: the icon in lParam's high word, the anchor in wParam; the menu with the
// menu request only, the editor with the keyboard as with a double click.
TEST(TrayRules, FourthVersionMessagesAndTheKeyboard) {
    const auto anchor = static_cast<std::uintptr_t>(0xFFF6u << 16 | 300u);  // (300, -10)
    const std::optional<TrayEvent> menu =
        ReadTrayMessage(100, anchor, 100 << 16 | kTrayContextMenu);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->Version4);
    EXPECT_EQ(std::make_tuple(menu->Event, menu->X, menu->Y),
              std::make_tuple(kTrayContextMenu, 300, -10));
    const std::optional<TrayEvent> older = ReadTrayMessage(100, 100, kTrayRightButtonDown);
    ASSERT_TRUE(older);
    EXPECT_FALSE(older->Version4);
    EXPECT_EQ(older->Event, kTrayRightButtonDown);
    EXPECT_FALSE(ReadTrayMessage(100, 99, kTrayRightButtonDown));
    EXPECT_FALSE(ReadTrayMessage(100, anchor, 99 << 16 | kTrayContextMenu));

    const TrayWindows none;
    const auto v4 = [](unsigned event) { return TrayEvent{event, true, 0, 0}; };
    EXPECT_EQ(TrayActionFor(v4(kTrayContextMenu), none), TrayAction::ShowMenu);
    EXPECT_EQ(TrayActionFor(v4(kTrayRightButtonDown), none), TrayAction::Ignore);
    EXPECT_EQ(TrayActionFor(v4(kTrayKeySelect), none), TrayAction::OpenEditor);
    EXPECT_EQ(TrayActionFor(v4(kTrayLeftDoubleClick), none), TrayAction::OpenEditor);
    EXPECT_EQ(TrayActionFor(v4(0x0400u), none), TrayAction::Ignore);  // NIN_SELECT, one click
    TrayWindows editor;
    editor.EditorVisible = true;
    EXPECT_EQ(TrayActionFor(v4(kTrayKeySelect), editor), TrayAction::FrontEditor);
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

// Only the second of a restart's and the Startup folder's copies at sign-in ends unheard.
TEST(TrayRules, ASecondCopySaysSoUnlessWindowsStartedOne) {
    EXPECT_TRUE(SecondCopyEndsSilently(true, std::nullopt));
    EXPECT_TRUE(SecondCopyEndsSilently(false, kSignInRaceMs - 1));
    EXPECT_FALSE(SecondCopyEndsSilently(false, kSignInRaceMs));  // started by hand later
    EXPECT_FALSE(SecondCopyEndsSilently(false, std::nullopt));
}

}  // namespace
}  // namespace haripon
