// Drives a running haripon.exe from outside for the crash test:
//   save_storm storm  waits for the program, says "ready", then has it save again and again
//                     (as at the end of a session) until it is gone;
//   save_storm close  waits for the program and closes it; fails when a message box comes
//                     instead (the save at the end went wrong).
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/title_form.h"

namespace {

HWND WaitForProgram(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (const HWND title = FindWindowW(haripon::TPTitleForm::kClassName, nullptr))
            return title;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(10);
    }
}

int Storm(HWND title) {
    std::puts("ready");
    std::fflush(stdout);
    DWORD_PTR ignored = 0;
    while (IsWindow(title)) {
        SendMessageTimeoutW(title, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    }
    return 0;
}

int Close(HWND title) {
    PostMessageW(title, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (IsWindow(title)) {
        if (const HWND box = FindWindowW(L"#32770", nullptr); box && IsWindowVisible(box)) {
            std::puts("a message box came at the end");
            return 1;
        }
        if (GetTickCount() - start > 10000)
            return 1;
        Sleep(10);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const HWND title = WaitForProgram(15000);
    if (argc != 2 || !title)
        return 2;
    return std::strcmp(argv[1], "storm") == 0 ? Storm(title) : Close(title);
}
