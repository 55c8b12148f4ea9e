// floor.exe: the least a Win32 program does that shows a window: it registers a class,
// creates one borderless window of the title's size, shows it and runs its message loop
// until the window is closed. Built with the same compiler, runtime and flags as
// haripon.exe, it is what Wine alone costs, the floor the program's figures are set against.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"HariponBenchFloor";
constexpr int kWidth = 300;
constexpr int kHeight = 200;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass))
        return 1;
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP,
                                        (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                        (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth,
                                        kHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
