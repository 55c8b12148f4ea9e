// What a click on the tray icon does, and which tray menu items can be chosen, given which
// of the program's windows are open.
#pragma once

#include <cstdint>
#include <optional>

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

// What the icon reports: mouse messages, and from shells that speak the icon's fourth version
// the menu asked for (the right button released, Shift+F10 or the menu key) and the icon
// chosen with the keyboard (Enter or Space).
inline constexpr unsigned kTrayLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
inline constexpr unsigned kTrayRightButtonDown = 0x0204;  // WM_RBUTTONDOWN
inline constexpr unsigned kTrayContextMenu = 0x007B;      // WM_CONTEXTMENU
inline constexpr unsigned kTrayKeySelect = 0x0401;        // NIN_KEYSELECT

// One message of the icon. In the fourth version the event and the icon share lParam and
// wParam holds the point the menu belongs at, in screen coordinates; before it, wParam is the
// icon and lParam the mouse message.
struct TrayEvent {
    unsigned Event = 0;
    bool Version4 = false;
    int X = 0;
    int Y = 0;
};

// The icon's message in either version; none when it is another icon's.
std::optional<TrayEvent> ReadTrayMessage(unsigned iconId, std::uintptr_t wParam,
                                         std::intptr_t lParam);

// The menu comes with the right button's press from a shell of the older version, with the
// menu request from one of the fourth, whose press then counts no more; the editor with a
// double click or, in the fourth version, the keyboard.
TrayAction TrayActionFor(const TrayEvent& event, const TrayWindows& windows);

// "Exit" and "Cancel" can always be chosen.
struct TrayMenuState {
    bool OpenEditor = true;   // N1
    bool ChangeTheme = true;  // CG1
    bool ShowVersion = true;  // N4
    bool RestoreMemo = true;  // N5: a memo peeled off brought back
};

TrayMenuState TrayMenuStateFor(const TrayWindows& windows);

// A copy started while another runs ends; it says so unless Windows started one of the two
// at sign-in: its restart after an update (`startedAgain`, for this copy) races the Startup
// folder's copy, and the one that comes second, within kSignInRaceMs of the restarted one's
// start (`otherRestartedAgoMs`, when the other was restarted), ends without a word.
inline constexpr std::uint64_t kSignInRaceMs = 120000;
constexpr bool SecondCopyEndsSilently(bool startedAgain,
                                      std::optional<std::uint64_t> otherRestartedAgoMs) {
    return startedAgain || (otherRestartedAgoMs && *otherRestartedAgoMs < kSignInRaceMs);
}

}  // namespace haripon
