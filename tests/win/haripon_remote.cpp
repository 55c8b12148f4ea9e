// Drives a running haripon.exe from outside, for the tests that need the real program:
//   haripon_remote storm  waits for the program, says "ready", then has it save again and
//                         again (as at the end of a session) until it is gone;
//   haripon_remote close  waits for the program and closes it; fails when a message box
//                         comes instead (the save at the end went wrong);
//   haripon_remote end    waits for the program and closes it, answering every message box
//                         on the way with OK and printing its text, one line each, in UTF-8;
//   haripon_remote rect CLASS   prints "left top width height shown" of the program's window
//                         of that class: the window's place and its client size;
//   haripon_remote box    prints the caption and the text of the message box shown, one line
//                         each, in UTF-8, and answers it with OK; fails when none shows;
//   haripon_remote tray MOUSE   delivers a mouse message (its number) from the tray icon;
//   haripon_remote gone   waits until no copy of the program is left: its window and its
//                         single-instance mutex gone, as Wine leaves things a moment after a
//                         kill; fails after ten seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

void PrintUtf8(const wchar_t* text) {
    char utf8[1536] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::puts(utf8);
}

BOOL CALLBACK PrintBoxText(HWND child, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0 || GetWindowTextLengthW(child) == 0)
        return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    PrintUtf8(text);
    return TRUE;
}

HWND ShownBox() {
    const HWND box = FindWindowW(L"#32770", nullptr);
    return box && IsWindowVisible(box) ? box : nullptr;
}

void AnswerOk(HWND box) {
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
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
        if (ShownBox()) {
            std::puts("a message box came at the end");
            return 1;
        }
        if (GetTickCount() - start > 10000)
            return 1;
        Sleep(10);
    }
    return 0;
}

// The message boxes that come while the program starts and ends are each read and answered.
int End(HWND title) {
    bool closeSent = false;
    const DWORD start = GetTickCount();
    while (IsWindow(title)) {
        if (const HWND box = ShownBox()) {
            EnumChildWindows(box, &PrintBoxText, 0);
            std::fflush(stdout);
            AnswerOk(box);
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

int Rect(const char* className) {
    wchar_t name[64] = {};
    MultiByteToWideChar(CP_UTF8, 0, className, -1, name, 64);
    const HWND window = FindWindowW(name, nullptr);
    if (!window)
        return 1;
    RECT place{};
    RECT client{};
    GetWindowRect(window, &place);
    GetClientRect(window, &client);
    std::printf("%ld %ld %ld %ld %d\n", place.left, place.top, client.right, client.bottom,
                IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int Box() {
    const HWND box = ShownBox();
    if (!box)
        return 1;
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    PrintUtf8(caption);
    EnumChildWindows(box, &PrintBoxText, 0);
    std::fflush(stdout);
    AnswerOk(box);
    return 0;
}

int Gone() {
    for (int tries = 0; tries < 500; ++tries) {
        const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\Haripon.SingleInstance");
        if (mutex)
            CloseHandle(mutex);
        else if (!FindWindowW(haripon::TPTitleForm::kClassName, nullptr))
            return 0;
        Sleep(20);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "gone")
        return Gone();
    const HWND title = WaitForProgram(15000);
    if (argc < 2 || !title)
        return 2;
    const std::string command = argv[1];
    if (command == "storm")
        return Storm(title);
    if (command == "close")
        return Close(title);
    if (command == "end")
        return End(title);
    if (command == "rect" && argc == 3)
        return Rect(argv[2]);
    if (command == "box")
        return Box();
    if (command == "tray" && argc == 3) {
        PostMessageW(title, haripon::TPTitleForm::kTrayMessage, haripon::TPTitleForm::kTrayIconId,
                     std::atoi(argv[2]));
        return 0;
    }
    return 2;
}
