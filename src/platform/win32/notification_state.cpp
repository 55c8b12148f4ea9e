#include "platform/win32/notification_state.h"

#include <windows.h>

#include <utility>

namespace haripon {

namespace {

// The shell's states (QUERY_USER_NOTIFICATION_STATE) in which a notification waits.
constexpr int kBusy = 2;                // QUNS_BUSY: a full-screen window covers the monitor
constexpr int kFullScreenDirect3D = 3;  // QUNS_RUNNING_D3D_FULL_SCREEN
constexpr int kPresenting = 4;          // QUNS_PRESENTATION_MODE

std::optional<bool>& HeldAnswer() {
    static std::optional<bool> answer;
    return answer;
}

}  // namespace

// shell32 is loaded by then, with the tray icon; it is one of the system's known libraries.
bool UserTakesNotifications() {
    if (HeldAnswer())
        return *HeldAnswer();
    using Query = HRESULT(WINAPI*)(int*);
    static const Query query = [] {
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell ? reinterpret_cast<Query>(reinterpret_cast<void*>(
                           GetProcAddress(shell, "SHQueryUserNotificationState")))
                     : nullptr;
    }();
    int state = 0;
    if (!query || FAILED(query(&state)))
        return true;
    return state != kBusy && state != kFullScreenDirect3D && state != kPresenting;
}

ScopedNotificationState::ScopedNotificationState(bool takes)
    : previous_(std::exchange(HeldAnswer(), takes)) {}

ScopedNotificationState::~ScopedNotificationState() {
    HeldAnswer() = previous_;
}

}  // namespace haripon
