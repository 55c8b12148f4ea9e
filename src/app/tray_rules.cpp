#include "app/tray_rules.h"

namespace haripon {

TrayAction TrayActionFor(unsigned mouseMessage, const TrayWindows& windows) {
    if (windows.ReminderVisible)
        return TrayAction::Ignore;
    switch (mouseMessage) {
        case kTrayRightButtonDown:
            return TrayAction::ShowMenu;
        case kTrayLeftDoubleClick:
            if (windows.EditorVisible || windows.ChooserVisible)
                return TrayAction::Ignore;
            return TrayAction::OpenEditor;
        default:
            return TrayAction::Ignore;
    }
}

TrayMenuState TrayMenuStateFor(const TrayWindows& windows) {
    TrayMenuState state;
    if (windows.EditorVisible)
        state.OpenEditor = state.ChangeTheme = false;
    if (windows.VersionBoxOpen || windows.ChooserVisible) {
        state.OpenEditor = state.ChangeTheme = state.ShowVersion = false;
    }
    return state;
}

}  // namespace haripon
