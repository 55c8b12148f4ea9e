#include "app/tray_rules.h"

namespace haripon {

std::optional<TrayEvent> ReadTrayMessage(unsigned iconId, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    const auto low = [](std::uintptr_t value) { return static_cast<unsigned>(value & 0xFFFF); };
    const auto high = [](std::uintptr_t value) {
        return static_cast<unsigned>(value >> 16 & 0xFFFF);
    };
    const auto signedWord = [](unsigned word) {
        return static_cast<int>(static_cast<std::int16_t>(word));
    };
    const auto packed = static_cast<std::uintptr_t>(lParam);
    if (high(packed) == iconId) {
        return TrayEvent{low(packed), true, signedWord(low(wParam)), signedWord(high(wParam))};
    }
    if (wParam == iconId && high(packed) == 0)
        return TrayEvent{low(packed), false, 0, 0};
    return std::nullopt;
}

TrayAction TrayActionFor(const TrayEvent& event, const TrayWindows& windows) {
    const unsigned menuEvent = event.Version4 ? kTrayContextMenu : kTrayRightButtonDown;
    const bool open =
        event.Event == kTrayLeftDoubleClick || (event.Version4 && event.Event == kTrayKeySelect);
    if (event.Event != menuEvent && !open)
        return TrayAction::Ignore;
    if (windows.ReminderVisible)
        return TrayAction::FrontReminder;
    if (event.Event == menuEvent)
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
