// What a click on the tray icon does, and which tray menu items can be chosen, given which
// of the program's windows are open.
#pragma once

namespace haripon {

struct TrayWindows {
    bool ReminderVisible = false;
    bool EditorVisible = false;
    bool ChooserVisible = false;
    bool VersionBoxOpen = false;
};

// A window that keeps the icon's click from doing anything else is brought to the front
// instead: on Windows it may be behind the user's other windows, with no taskbar button.
enum class TrayAction {
    Ignore,
    ShowMenu,
    OpenEditor,
    FrontReminder,
    FrontChooser,
    FrontEditor,
    FrontVersionBox,
};

// Mouse messages as the icon reports them.
inline constexpr unsigned kTrayLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
inline constexpr unsigned kTrayRightButtonDown = 0x0204;  // WM_RBUTTONDOWN

TrayAction TrayActionFor(unsigned mouseMessage, const TrayWindows& windows);

// "Exit" and "Cancel" can always be chosen.
struct TrayMenuState {
    bool OpenEditor = true;   // N1
    bool ChangeTheme = true;  // CG1
    bool ShowVersion = true;  // N4
    bool RestoreMemo = true;  // N5: a memo peeled off brought back
};

TrayMenuState TrayMenuStateFor(const TrayWindows& windows);

}  // namespace haripon
