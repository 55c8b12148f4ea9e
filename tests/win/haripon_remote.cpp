// Drives a running haripon.exe from outside, for the tests that need the real program:
//   haripon_remote storm  waits for the program, says "ready", then has it save again and
//                         again (as at the end of a session) until it is gone;
//   haripon_remote close  waits for the program and closes it; fails when a message box
//                         comes instead (the save at the end went wrong);
//   haripon_remote end    waits for the program and closes it, answering every message box
//                         on the way with OK and printing its text, one line each, in UTF-8,
//                         and last "closing: N ms", from the close to the program's end or
//                         to the first box after the close;
//   haripon_remote rect CLASS   prints "left top width height shown x" of the program's window
//                         of that class: the window's place, its client size, whether it
//                         shows, and the X window Wine shows it in (0 for none);
//   haripon_remote text CLASS   prints the window text of the program's window of that
//                         class, in UTF-8;
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
//                         kill;
//   haripon_remote time FROM TO  says "watching", then prints the milliseconds from FROM to
//                         TO, each "+CLASS" (a window of that class shows) or "-CLASS" (none
//                         shows any more), seen every 10 ms: measured here, beside the program,
//                         not after the start of a process for every look.
// Every wait fails after a bound made for a busy machine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/title_form.h"
#include "theme/chooser_form.h"

namespace {

constexpr DWORD kStartOrEndMs = 60000;  // the program comes up, or ends

// Asks `done` every 10 ms until it holds (true) or the bound passes (false).
template <typename Condition>
bool WaitUntil(Condition done, DWORD boundMs = kStartOrEndMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > boundMs)
            return false;
        Sleep(10);
    }
    return true;
}

HWND WaitForProgram() {
    HWND title = nullptr;
    WaitUntil([&] { return (title = FindWindowW(haripon::TPTitleForm::kClassName, nullptr)); });
    return title;
}

std::wstring Wide(const char* utf8) {
    wchar_t wide[64] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 64);
    return wide;
}

struct ShownSearch {
    const std::wstring& className;
    std::vector<HWND> found;
};

BOOL CALLBACK AddShown(HWND window, LPARAM search) {
    auto& shown = *reinterpret_cast<ShownSearch*>(search);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (shown.className == name && IsWindowVisible(window))
        shown.found.push_back(window);
    return TRUE;
}

// The top-level windows of that class that show, of any process.
std::vector<HWND> ShownWindows(const std::wstring& className) {
    ShownSearch search{className, {}};
    EnumWindows(&AddShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    bool boxCame = false;
    if (!WaitUntil([&] { return !IsWindow(title) || (boxCame = ShownBox() != nullptr); }))
        return 1;
    if (boxCame)
        std::puts("a message box came at the end");
    return boxCame ? 1 : 0;
}

// Reads and answers the message box that shows, if one does; whether one did.
bool AnswerShownBox() {
    const HWND box = ShownBox();
    if (box) {
        EnumChildWindows(box, &PrintBoxText, 0);
        std::fflush(stdout);
        AnswerOk(box);
    }
    return box != nullptr;
}

// The start is over once every window exists (the chooser is made last) and the title has
// gone.
bool StartIsOver(HWND title) {
    return !IsWindowVisible(title) && FindWindowW(haripon::TChgCgFrm::kClassName, nullptr);
}

// The message boxes that come while the program starts and ends are each read and answered.
int End(HWND title) {
    const bool started = WaitUntil([&] {
        AnswerShownBox();
        return StartIsOver(title) || !IsWindow(title);
    });
    if (!started)
        return 1;
    PostMessageW(title, WM_CLOSE, 0, 0);
    const DWORD closedAt = GetTickCount();
    long closing = -1;
    const bool ended = WaitUntil([&] {
        const DWORD now = GetTickCount();
        if ((AnswerShownBox() || !IsWindow(title)) && closing < 0)
            closing = static_cast<long>(now - closedAt);
        return !IsWindow(title);
    });
    std::printf("closing: %ld ms\n", closing);
    return ended ? 0 : 1;
}

HWND ProgramWindow(const char* className) {
    return FindWindowW(Wide(className).c_str(), nullptr);
}

int Rect(const char* className) {
    const HWND window = ProgramWindow(className);
    if (!window)
        return 1;
    RECT place{};
    RECT client{};
    GetWindowRect(window, &place);
    GetClientRect(window, &client);
    // Wine keeps the X window of a top-level window among its properties.
    const auto x = reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window"));
    std::printf("%ld %ld %ld %ld %d %lu\n", place.left, place.top, client.right, client.bottom,
                IsWindowVisible(window) ? 1 : 0, static_cast<unsigned long>(x));
    return 0;
}

// From another process the window's own text is read, as a screen reader reads it.
int Text(const char* className) {
    const HWND window = ProgramWindow(className);
    if (!window)
        return 1;
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    PrintUtf8(text);
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

// A 32-bit picture of its own, drawn on through a memory device context.
class Canvas {
  public:
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        before_ = SelectObject(dc, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc, before_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    bool Made() const { return bits_ != nullptr; }
    DWORD At(int x, int y) const { return static_cast<const DWORD*>(bits_)[y * width + x]; }

    const int width;
    const int height;
    const HDC dc = CreateCompatibleDC(nullptr);

  private:
    void* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ before_ = nullptr;
};

int Distance(DWORD a, DWORD b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum +=
            std::abs(static_cast<int>((a >> shift & 0xFF)) - static_cast<int>((b >> shift & 0xFF)));
    return sum;
}

// Which pixels of a picture are ink, row by row.
using Ink = std::vector<std::vector<bool>>;

// On the screen a pixel far from the most common colour of its row, the row's background (an
// item under the pointer has another background than the others).
Ink ScreenInk(const RECT& area) {
    const Canvas screen(area.right - area.left, area.bottom - area.top);
    if (!screen.Made())
        return {};
    const HDC desktop = GetDC(nullptr);
    BitBlt(screen.dc, 0, 0, screen.width, screen.height, desktop, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, desktop);
    GdiFlush();
    Ink ink(screen.height, std::vector<bool>(screen.width));
    for (int y = 0; y < screen.height; ++y) {
        std::vector<DWORD> row;
        for (int x = 0; x < screen.width; ++x)
            row.push_back(screen.At(x, y));
        const auto count = [&](DWORD colour) { return std::count(row.begin(), row.end(), colour); };
        const DWORD background = *std::max_element(
            row.begin(), row.end(), [&](DWORD a, DWORD b) { return count(a) < count(b); });
        for (int x = 0; x < screen.width; ++x)
            ink[y][x] = Distance(row[x], background) > 200;
    }
    return ink;
}

// The caption drawn as a menu draws it, in the system's menu font, black on white.
Ink CaptionInk(const std::wstring& caption) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    const int length = static_cast<int>(caption.size());
    SIZE size{};
    {
        const Canvas measure(1, 1);
        SelectObject(measure.dc, font);
        GetTextExtentPoint32W(measure.dc, caption.c_str(), length, &size);
    }
    const Canvas text(size.cx, size.cy);
    if (!text.Made()) {
        DeleteObject(font);
        return {};
    }
    const HGDIOBJ before = SelectObject(text.dc, font);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(text.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(text.dc, caption.c_str(), length, &all, DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    SelectObject(text.dc, before);
    DeleteObject(font);
    Ink ink(size.cy, std::vector<bool>(size.cx));
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            ink[y][x] = Distance(text.At(x, y), 0xFFFFFF) > 384;
    }
    return ink;
}

// Where the caption's ink lies on the screen's: all but a tenth of it, with little other ink
// among it and none for a glyph's height either side (the caption is the item's whole text;
// the menu's border is no text). Its top-left corner; nothing when no item, or more than one,
// reads so.
bool FindCaption(const Ink& screen, const Ink& caption, POINT& at) {
    const int height = static_cast<int>(caption.size());
    const int width = height ? static_cast<int>(caption[0].size()) : 0;
    const int screenWidth = screen.empty() ? 0 : static_cast<int>(screen[0].size());
    const auto inkIn = [&](int top, int left, int right) {
        int count = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = std::max(left, 2); x < std::min(right, screenWidth - 2); ++x)
                count += screen[y][x];
        }
        return count;
    };
    int total = 0;
    for (const auto& row : caption)
        total += static_cast<int>(std::count(row.begin(), row.end(), true));
    int best = -1;
    int items = 0;
    int lastTop = -height;
    for (int top = 0; total > 0 && top + height <= static_cast<int>(screen.size()); ++top) {
        for (int left = 0; left + width <= screenWidth; ++left) {
            int matched = 0;
            int stray = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    (caption[y][x] ? matched : stray) += screen[top + y][left + x];
            }
            if (matched * 10 < total * 9 || stray * 10 > total ||
                inkIn(top, left - height, left) + inkIn(top, left + width, left + width + height))
                continue;
            items += top - lastTop >= height / 2 ? 1 : 0;  // a pixel or two apart: the same
            lastTop = top;
            if (matched - stray > best) {
                best = matched - stray;
                at = {left, top};
            }
        }
    }
    return items == 1;
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

// In every menu shown (a menu and the submenu it opened).
int MenuItem(const char* captionHex) {
    const Ink caption = CaptionInk(FromUtf8Hex(captionHex));
    for (const HWND menu : ShownWindows(L"#32768")) {
        RECT area{};
        GetWindowRect(menu, &area);
        POINT at{};
        if (caption.empty() || !FindCaption(ScreenInk(area), caption, at))
            continue;
        std::printf("%ld %ld\n", area.left + at.x + static_cast<long>(caption[0].size()) / 2,
                    area.top + at.y + static_cast<long>(caption.size()) / 2);
        return 0;
    }
    return 1;
}

bool NoCopyLeft() {
    const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\Haripon.SingleInstance");
    if (mutex)
        CloseHandle(mutex);
    return !mutex && !FindWindowW(haripon::TPTitleForm::kClassName, nullptr);
}

// "+CLASS": a window of that class shows; "-CLASS": none shows any more.
bool Happened(const std::string& event) {
    return ShownWindows(Wide(event.c_str() + 1)).empty() == (event[0] == '-');
}

int Time(const std::string& from, const std::string& to) {
    std::puts("watching");
    std::fflush(stdout);
    if (!WaitUntil([&] { return Happened(from); }))
        return 1;
    const DWORD start = GetTickCount();
    if (!WaitUntil([&] { return Happened(to); }))
        return 1;
    std::printf("%lu\n", GetTickCount() - start);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "gone")
        return WaitUntil(&NoCopyLeft) ? 0 : 1;
    if (argc == 4 && std::string(argv[1]) == "time")
        return Time(argv[2], argv[3]);
    const HWND title = WaitForProgram();
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
    if (command == "text" && argc == 3)
        return Text(argv[2]);
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
