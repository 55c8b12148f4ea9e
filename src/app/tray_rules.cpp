#include "app/tray_rules.h"

namespace haripon {

TrayAction TrayActionFor(unsigned mouseMessage, const TrayWindows& windows) {
    if (mouseMessage != kTrayRightButtonDown && mouseMessage != kTrayLeftDoubleClick)
        return TrayAction::Ignore;
    if (windows.ReminderVisible)
        return TrayAction::FrontReminder;
    if (mouseMessage == kTrayRightButtonDown)
        return TrayAction::ShowMenu;
    if (windows.ChooserVisible)
        return TrayAction::FrontChooser;
    if (windows.EditorVisible)
        return TrayAction::FrontEditor;
    if (windows.VersionBoxOpen)
        return TrayAction::FrontVersionBox;
    return TrayAction::OpenEditor;
}

TrayMenuState TrayMenuStateFor(const TrayWindows& windows) {
    TrayMenuState state;
    if (windows.EditorVisible)
        state.OpenEditor = state.ChangeTheme = false;
    if (windows.VersionBoxOpen || windows.ChooserVisible) {
        state.OpenEditor = state.ChangeTheme = state.ShowVersion = state.RestoreMemo = false;
    }
    return state;
}

}  // namespace haripon
