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
//   haripon_remote item CAPTION prints "x y", the screen point in the middle of the item of
//                         the popup menu shown whose caption is CAPTION (UTF-8 in hexadecimal
//                         digits, so that it reaches the program whatever the locale); found
//                         by where that caption is drawn, as a person finds it; fails when
//                         no menu shows or none of its items reads so;
//   haripon_remote gone   waits until no copy of the program is left: its window and its
//                         single-instance mutex gone, as Wine leaves things a moment after a
//                         kill; fails after ten seconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// ---- finding a menu item by its caption

// A picture of the screen or of a text, as "ink" or not per pixel.
struct InkMask {
    int width = 0;
    int height = 0;
    std::vector<bool> ink;
    bool At(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x]; }
};

std::vector<DWORD> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ before = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    CopyMemory(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(memory, before);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int Distance(DWORD a, DWORD b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum +=
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return sum;
}

// Ink: a pixel far from the most common colour of its row, the row's background (an item
// under the pointer has another background than the others).
InkMask ScreenInk(const RECT& area) {
    InkMask mask{area.right - area.left, area.bottom - area.top, {}};
    const std::vector<DWORD> pixels = ScreenPixels(area);
    mask.ink.resize(pixels.size());
    for (int y = 0; y < mask.height; ++y) {
        const DWORD* row = &pixels[static_cast<std::size_t>(y) * mask.width];
        DWORD background = row[0];
        int best = 0;
        for (int x = 0; x < mask.width; ++x) {
            const int count = static_cast<int>(std::count(row, row + mask.width, row[x]));
            if (count > best) {
                best = count;
                background = row[x];
            }
        }
        for (int x = 0; x < mask.width; ++x)
            mask.ink[static_cast<std::size_t>(y) * mask.width + x] =
                Distance(row[x], background) > 200;
    }
    return mask;
}

// The caption drawn as a menu draws it, in the system's menu font, black on white.
InkMask CaptionInk(const std::wstring& caption) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ fontBefore = SelectObject(memory, font);
    SIZE size{};
    GetTextExtentPoint32W(memory, caption.c_str(), static_cast<int>(caption.size()), &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ bitmapBefore = SelectObject(memory, bitmap);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(memory, RGB(0, 0, 0));
    SetBkMode(memory, TRANSPARENT);
    DrawTextW(memory, caption.c_str(), static_cast<int>(caption.size()), &all,
              DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    InkMask mask{size.cx, size.cy, {}};
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < size.cx * size.cy; ++i)
        mask.ink.push_back(Distance(pixels[i], 0xFFFFFF) > 384);
    SelectObject(memory, bitmapBefore);
    SelectObject(memory, fontBefore);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(memory);
    return mask;
}

// Where the caption's ink lies on the screen's: all but a few pixels of it, with little other
// ink among it and none for a glyph's height either side (the caption is the item's whole
// text). Its top-left corner in the area; nothing when no item, or more than one, reads so.
bool FindCaption(const InkMask& screen, const InkMask& caption, POINT& at) {
    const int inkCount = static_cast<int>(std::count(caption.ink.begin(), caption.ink.end(), true));
    if (inkCount == 0)
        return false;
    const auto inkIn = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, screen.height); ++y) {
            // The menu's own border is no text.
            for (int x = std::max(left, 2); x < std::min(right, screen.width - 2); ++x)
                count += screen.At(x, y) ? 1 : 0;
        }
        return count;
    };
    int bestScore = -1;
    int matches = 0;
    int lastTop = -caption.height;
    for (int top = 0; top + caption.height <= screen.height; ++top) {
        for (int left = 0; left + caption.width <= screen.width; ++left) {
            int matched = 0;
            int stray = 0;
            for (int y = 0; y < caption.height; ++y) {
                for (int x = 0; x < caption.width; ++x) {
                    const bool shown = screen.At(left + x, top + y);
                    if (caption.At(x, y))
                        matched += shown ? 1 : 0;
                    else
                        stray += shown ? 1 : 0;
                }
            }
            const int gap = caption.height;
            if (matched * 10 < inkCount * 9 || stray * 10 > inkCount ||
                inkIn(left - gap, top, left, top + caption.height) > 0 ||
                inkIn(left + caption.width, top, left + caption.width + gap, top + caption.height) >
                    0) {
                continue;
            }
            // Matches a pixel or two apart are the same item.
            if (top - lastTop >= caption.height / 2)
                ++matches;
            lastTop = top;
            if (matched - stray > bestScore) {
                bestScore = matched - stray;
                at = {left, top};
            }
        }
    }
    return matches == 1;
}

std::wstring FromUtf8Hex(const char* hex) {
    std::string utf8;
    for (const char* digit = hex; digit[0] && digit[1]; digit += 2)
        utf8 += static_cast<char>(std::strtol(std::string(digit, 2).c_str(), nullptr, 16));
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

int MenuItem(const char* captionHex) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return 1;
    RECT area{};
    GetWindowRect(menu, &area);
    const InkMask caption = CaptionInk(FromUtf8Hex(captionHex));
    POINT at{};
    if (!FindCaption(ScreenInk(area), caption, at))
        return 1;
    std::printf("%ld %ld\n", area.left + at.x + caption.width / 2,
                area.top + at.y + caption.height / 2);
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
    if (command == "item" && argc == 3)
        return MenuItem(argv[2]);
    if (command == "tray" && argc == 3) {
        PostMessageW(title, haripon::TPTitleForm::kTrayMessage, haripon::TPTitleForm::kTrayIconId,
                     std::atoi(argv[2]));
        return 0;
    }
    return 2;
}
