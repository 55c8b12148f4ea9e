// floor.exe: the least a Win32 program does that shows a window: it registers a class,
// creates one borderless window of the title's size, shows it and runs its message loop
// until the window is closed. Built with the same compiler, runtime and flags as
// haripon.exe, it is what Wine alone costs, the floor the program's figures are set against.
#include <windows.h>

#include "floor_window.h"

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!haripon::bench::ShowFloorWindow(instance, L"HariponBenchFloor", &FloorProc))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
