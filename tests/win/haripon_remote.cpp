// Drives a running haripon.exe from outside, for the tests that need the real program:
//   haripon_remote storm  waits for the program, says "ready", then has it save again and
//                         again (as at the end of a session) until it is gone;
//   haripon_remote close  waits for the program and closes it; fails when a message box
//                         comes instead (the save at the end went wrong);
//   haripon_remote end    waits for the program and closes it, answering every message box
//                         on the way with OK and printing its text, one line each, in UTF-8.
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

BOOL CALLBACK PrintBoxText(HWND child, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0 || GetWindowTextLengthW(child) == 0)
        return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    char utf8[1536] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::puts(utf8);
    return TRUE;
}

// The message boxes that come while the program starts and ends are each read and answered.
int End(HWND title) {
    bool closeSent = false;
    const DWORD start = GetTickCount();
    while (IsWindow(title)) {
        if (const HWND box = FindWindowW(L"#32770", nullptr); box && IsWindowVisible(box)) {
            EnumChildWindows(box, &PrintBoxText, 0);
            std::fflush(stdout);
            SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        } else if (!closeSent && GetTickCount() - start > 4000) {
            PostMessageW(title, WM_CLOSE, 0, 0);  // after the title, once the start is over
            closeSent = true;
        }
        if (GetTickCount() - start > 30000)
            return 1;
        Sleep(20);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const HWND title = WaitForProgram(15000);
    if (argc != 2 || !title)
        return 2;
    if (std::strcmp(argv[1], "storm") == 0)
        return Storm(title);
    return std::strcmp(argv[1], "end") == 0 ? End(title) : Close(title);
}
