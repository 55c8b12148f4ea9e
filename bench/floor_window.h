// The floor's one window, as floor.exe makes it and as the bench makes it in its own process:
// a class of its own, a borderless tool window of the title's size, centred and shown.
#pragma once

#include <windows.h>

namespace haripon::bench {

inline HWND ShowFloorWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure) {
    constexpr int kWidth = 300;
    constexpr int kHeight = 200;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass))
        return nullptr;
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP,
                                        (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                        (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth,
                                        kHeight, nullptr, nullptr, instance, nullptr);
    if (window)
        ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace haripon::bench
