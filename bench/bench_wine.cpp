// bench_wine: what the program costs, measured under Wine in its own windows in this process,
// on a copy of the staged program folder, and from outside for a running copy:
//   bench_wine phases            the start step by step, from process creation to the title
//                                painted (seven memos in the settings file);
//   bench_wine program [N]       seven memos shown: GDI and USER objects and memory; then the
//                                responses, the median of N of each; then how a window paints;
//   bench_wine floor             one window made and shown as floor.exe does it: the same
//                                objects and memory, the part Wine alone accounts for;
//   bench_wine idle SECONDS      seven armed memos after the title, then SECONDS in a message
//                                loop of its own: messages, timer messages, wake-ups, CPU;
//   bench_wine memory CLASS      the memory of the process that owns a window of CLASS.
// Each figure is printed as one "name=value" line; exits 1 when a measurement went wrong.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/application.h"
#include "floor_window.h"
#include "form_driver.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/local_clock.h"
#include "platform/core/handles_win.h"
#include "platform/win32/message_box.h"
#include "platform/win32/popup_menu.h"
#include "platform/core/wide_text_win.h"
#include "process_driver.h"
#include "resource_meters.h"

namespace haripon {
namespace {

using namespace testing_support;

// ----------------------------------------------------------------------------- reporting

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

LONGLONG Ticks() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Highest(const std::vector<double>& values) {
    return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

void Print(const char* name, double value) {
    std::printf("%s=%.3f\n", name, value);
}

void Print(const char* name, long long value) {
    std::printf("%s=%lld\n", name, value);
}

void Print(const char* name, const std::string& value) {
    std::printf("%s=%s\n", name, value.c_str());
}

// A measurement that went wrong: said on stderr, the figures printed so far stay.
int Failed(const std::string& what) {
    std::fflush(stdout);
    std::fprintf(stderr, "bench_wine: %s\n", what.c_str());
    return 1;
}

// Milliseconds of CPU (user and kernel) the process has used.
double ProcessCpuMilliseconds() {
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto hundredNs = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
    };
    return (hundredNs(kernel) + hundredNs(user)) / 10000.0;
}

// Milliseconds since the system created this process.
double SinceProcessCreation() {
    FILETIME created{}, ended{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto value = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(value(now) - value(created)) / 10000.0;
}

// The bitmaps the process holds, found the way the GDI meter counts objects, by the index
// of the handle: how many, the bytes of their pixels, and the largest of them.
struct BitmapTally {
    long long count = 0;
    long long bytes = 0;
    std::string largest;  // "width x height x bits" of the eight largest
};

BitmapTally Bitmaps() {
    BitmapTally tally;
    std::vector<std::pair<long long, std::string>> sizes;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const auto handle = reinterpret_cast<HGDIOBJ>(index);
        BITMAP bitmap{};
        if (GetObjectType(handle) != OBJ_BITMAP || !GetObjectW(handle, sizeof bitmap, &bitmap))
            continue;
        const long long bytes = static_cast<long long>(bitmap.bmWidthBytes) * bitmap.bmHeight;
        ++tally.count;
        tally.bytes += bytes;
        sizes.emplace_back(bytes, std::to_string(bitmap.bmWidth) + "x" +
                                      std::to_string(bitmap.bmHeight) + "x" +
                                      std::to_string(bitmap.bmBitsPixel));
    }
    std::sort(sizes.rbegin(), sizes.rend());
    for (std::size_t i = 0; i < sizes.size() && i < 8; ++i)
        tally.largest += (i ? "," : "") + sizes[i].second;
    return tally;
}

// ----------------------------------------------------------------------------- the program

// Seven memos, each with a reminder far ahead: armed, never due while measured.
std::string SevenArmedMemos() {
    std::string text = "[POST]\r\n";
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string key = "POST" + std::to_string(slot);
        text += key + "MEMO=bench memo " + std::to_string(slot) + " \x83\x81\x83\x82\r\n";
        text += key + "YEAR=2099\r\n" + key + "MONTH=12\r\n" + key + "DAY=31\r\n";
        text += key + "TIML=23\r\n" + key + "TIMM=59\r\n" + key + "TIMEFLAG=1\r\n";
        text += key + "TOP=" + std::to_string(80 + 40 * slot) + "\r\n" + key + "LEFT=60\r\n";
    }
    return text;
}

// The program's windows in this process on a copy of the staged program folder; its message
// boxes are recorded (any is a fault here) and its popup menus answered by the bench.
class Program {
  public:
    explicit Program(const std::string& settings) { folder_.Write("timpsd.ini", settings); }

    Application& App() { return app_; }
    TTPostForm& Editor() { return app_.Editor(); }
    const std::vector<std::string>& Boxes() const { return boxes_; }
    void RightClickMemo(int slot, const char* caption) {
        choose_ = caption;
        SendMessageW(app_.MemoWindow(slot).Handle(), WM_RBUTTONDOWN, MK_RBUTTON,
                     MAKELPARAM(200, 10));
    }

  private:
    ProgramFolder folder_;
    Application app_{folder_.Path() / ""};
    std::vector<std::string> boxes_;
    const ScopedMessageBoxHook boxHook_{
        [this](const std::string& text, const std::string&) { boxes_.push_back(text); }};
    const char* choose_ = nullptr;
    const PopupMenu::ScopedHook menuHook_{[this](const PopupMenu& menu) -> UINT {
        return choose_ ? menu.IdOf(std::exchange(choose_, nullptr)) : 0;
    }};
};

int ShownStrips(Application& app) {
    int shown = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
        shown += app.MemoWindow(slot).Visible();
    return shown;
}

// Runs the program's message loop until `done` or the timeout; false on the timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - waited, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DeliverMessage(message);
    }
    return true;
}

// ----------------------------------------------------------------------------- painting

// Drawing calls made by this program's code (through its import table) while a window
// repaints: those whose target is a device context of the screen, and those into memory.
struct DrawCall {
    const char* function;
    bool toScreen;
    int width;  // of a BitBlt
    int height;
    bool fromMemory;  // a BitBlt's source is a memory device context
};

std::vector<DrawCall>* drawLog = nullptr;

bool IsScreenDC(HDC dc) {
    return GetObjectType(dc) == OBJ_DC;
}

void NoteDraw(const char* function, HDC dc) {
    if (drawLog)
        drawLog->push_back({function, IsScreenDC(dc), 0, 0, false});
}

// Replaces the entries of this executable's import table that point at `from` with `to`,
// and puts them back at its end.
class ImportPatch {
  public:
    ImportPatch(void* from, void* to) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.VirtualAddress == 0)
            return;
        for (auto* module =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name != 0; ++module) {
            for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
                 entry->u1.Function != 0; ++entry) {
                if (reinterpret_cast<void*>(entry->u1.Function) != from)
                    continue;
                Write(entry, to);
                patched_.emplace_back(entry, from);
            }
        }
    }
    ~ImportPatch() {
        for (const auto& [entry, original] : patched_)
            Write(entry, original);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Patched() const { return !patched_.empty(); }

  private:
    static void Write(IMAGE_THUNK_DATA* entry, void* value) {
        DWORD previous = 0;
        VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, PAGE_READWRITE, &previous);
        entry->u1.Function = reinterpret_cast<ULONG_PTR>(value);
        VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, previous, &previous);
    }

    std::vector<std::pair<IMAGE_THUNK_DATA*, void*>> patched_;
};

// A drawing function that notes each call by its first argument, the target.
template <int Id, typename Function>
struct Spy;

template <int Id, typename Result, typename... Arguments>
struct Spy<Id, Result(WINAPI*)(Arguments...)> {
    static inline Result(WINAPI* original)(Arguments...) = nullptr;
    static inline const char* name = nullptr;
    static Result WINAPI Call(Arguments... arguments) {
        NoteDraw(name, std::get<0>(std::forward_as_tuple(arguments...)));
        return original(arguments...);
    }
};

BOOL WINAPI (*originalBitBlt)(HDC, int, int, int, int, HDC, int, int, DWORD) = nullptr;

BOOL WINAPI SpyBitBlt(HDC target, int left, int top, int width, int height, HDC source, int x,
                      int y, DWORD operation) {
    if (drawLog) {
        drawLog->push_back(
            {"BitBlt", IsScreenDC(target), width, height, GetObjectType(source) == OBJ_MEMDC});
    }
    return originalBitBlt(target, left, top, width, height, source, x, y, operation);
}

void* Exported(const wchar_t* module, const char* name) {
    const HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<void*>(GetProcAddress(loaded, name)) : nullptr;
}

// Every drawing function this program's code calls, watched while the spies live.
class PaintingSpies {
  public:
    PaintingSpies() {
        originalBitBlt = reinterpret_cast<decltype(originalBitBlt)>(Exported(L"gdi32", "BitBlt"));
        Watch(reinterpret_cast<void*>(originalBitBlt), reinterpret_cast<void*>(&SpyBitBlt));
        Add<1>(L"gdi32", "StretchBlt", &StretchBlt);
        Add<2>(L"gdi32", "PatBlt", &PatBlt);
        Add<3>(L"gdi32", "MaskBlt", &MaskBlt);
        Add<4>(L"gdi32", "ExtTextOutW", &ExtTextOutW);
        Add<5>(L"gdi32", "TextOutW", &TextOutW);
        Add<6>(L"gdi32", "Rectangle", &Rectangle);
        Add<7>(L"gdi32", "StretchDIBits", &StretchDIBits);
        Add<8>(L"gdi32", "SetDIBitsToDevice", &SetDIBitsToDevice);
        Add<9>(L"gdi32", "GdiTransparentBlt", &GdiTransparentBlt);
        Add<10>(L"gdi32", "GdiAlphaBlend", &GdiAlphaBlend);
        Add<11>(L"user32", "FillRect", &FillRect);
        Add<12>(L"user32", "FrameRect", &FrameRect);
        Add<13>(L"user32", "DrawTextW", &DrawTextW);
        Add<14>(L"user32", "DrawEdge", &DrawEdge);
        Add<15>(L"user32", "DrawFrameControl", &DrawFrameControl);
    }
    // How many of the functions were found in the import table.
    int Watched() const { return watched_; }

  private:
    template <int Id, typename Function>
    void Add(const wchar_t* module, const char* name, Function) {
        using S = Spy<Id, Function>;
        void* target = Exported(module, name);
        S::name = name;
        S::original = reinterpret_cast<Function>(target);
        Watch(target, reinterpret_cast<void*>(&S::Call));
    }
    void Watch(void* target, void* spy) {
        if (!target)
            return;
        patches_.push_back(std::make_unique<ImportPatch>(target, spy));
        watched_ += patches_.back()->Patched();
    }

    std::vector<std::unique_ptr<ImportPatch>> patches_;
    int watched_ = 0;
};

// A window's client area as it is on the screen.
Bitmap ScreenPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    Bitmap copy(client.right, client.bottom);
    const WindowDC screen(window);
    const MemoryDC target(copy.Handle());
    BitBlt(target.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
    return copy;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The two pictures of the window's client area agree wherever no child window lies (the
// children, windowed controls, paint themselves).
bool SameOutsideChildren(HWND window, const Bitmap& shown, const Bitmap& rendered) {
    if (shown.Width() != rendered.Width() || shown.Height() != rendered.Height())
        return false;
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<RECT> covered;
    for (HWND child : children) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if (IsWindowVisible(child))
            covered.push_back(place);
    }
    const std::vector<DWORD> a = Pixels(shown);
    const std::vector<DWORD> b = Pixels(rendered);
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            const POINT at{x, y};
            const bool underChild = std::any_of(covered.begin(), covered.end(),
                                                [&](const RECT& r) { return PtInRect(&r, at); });
            const std::size_t index = static_cast<std::size_t>(y) * shown.Width() + x;
            if (!underChild && a[index] != b[index])
                return false;
        }
    }
    return true;
}

struct PaintReport {
    int screenCalls = 0;        // drawing calls on the window's device context
    int fullBlits = 0;          // of them: BitBlts of the whole client area from memory
    int memoryCalls = 0;        // drawing calls into the off-screen picture
    bool finalPicture = false;  // the screen then shows what the form renders
};

// The whole window invalidated, its background to be erased, and repainted.
PaintReport RepaintWatched(const Form& form) {
    RECT client{};
    GetClientRect(form.Handle(), &client);
    std::vector<DrawCall> calls;
    drawLog = &calls;
    InvalidateRect(form.Handle(), nullptr, TRUE);
    UpdateWindow(form.Handle());
    drawLog = nullptr;
    PaintReport report;
    for (const DrawCall& call : calls) {
        if (!call.toScreen) {
            ++report.memoryCalls;
            continue;
        }
        ++report.screenCalls;
        report.fullBlits += std::string(call.function) == "BitBlt" && call.fromMemory &&
                            call.width == client.right && call.height == client.bottom;
    }
    report.finalPicture =
        SameOutsideChildren(form.Handle(), ScreenPixels(form.Handle()), form.RenderClient());
    return report;
}

// ----------------------------------------------------------------------------- the modes

int Phases() {
    const double atMain = SinceProcessCreation();
    const long long bytesAtMain = PrivateBytes();
    Program program(SevenArmedMemos());
    Application& app = program.App();
    struct Step {
        const char* name;
        double ms;
        long long bytes;
    };
    std::vector<Step> steps;
    const auto step = [&](const char* name, const std::function<void()>& action) {
        const long long bytesBefore = PrivateBytes();
        const LONGLONG start = Ticks();
        action();
        const double ms = Milliseconds(Ticks() - start);
        steps.push_back({name, ms, PrivateBytes() - bytesBefore});
    };
    // The steps of Application::CreateWindows and Application::Run, one at a time.
    step("title_create", [&] { app.Title().Create(); });
    step("editor_create", [&] { app.Editor().Create(); });
    step("memo_windows_create", [&] {
        for (int slot = 0; slot < kSlotCount; ++slot)
            app.MemoWindow(slot).Create();
    });
    step("reminder_create", [&] { app.Reminder().Create(); });
    step("chooser_create", [&] { app.Chooser().Create(); });
    step("title_show_and_paint", [&] {
        app.Title().CenterOnScreen();
        app.Title().Show();
        UpdateWindow(app.Title().Handle());
    });
    step("first_display", [&] {
        app.FirstDisplay();
        for (int slot = 0; slot < kSlotCount; ++slot)
            UpdateWindow(app.MemoWindow(slot).Handle());
    });
    Print("phase_process_to_main_ms", atMain);
    Print("phase_private_bytes_at_main", bytesAtMain);
    double total = 0;
    for (const Step& done : steps) {
        Print(("phase_" + std::string(done.name) + "_ms").c_str(), done.ms);
        Print(("phase_" + std::string(done.name) + "_private_bytes").c_str(), done.bytes);
        if (std::string(done.name) != "first_display")
            total += done.ms;
    }
    Print("phase_to_title_ms", total);
    if (ShownStrips(app) != kSlotCount)
        return Failed("the seven strips are not shown");
    if (!program.Boxes().empty())
        return Failed("a message box came: " + program.Boxes().front());
    return 0;
}

// One window as floor.exe makes it, in this process: what Wine alone accounts for.
int Floor() {
    const HWND window = bench::ShowFloorWindow(GetModuleHandleW(nullptr),
                                               L"HariponBenchFloorInProcess", &DefWindowProcW);
    if (!window)
        return Failed("cannot make the floor's window");
    UpdateWindow(window);
    Drain();
    const Resources resources = Measure();
    Print("floor_gdi_objects", static_cast<long long>(resources.gdi));
    Print("floor_user_objects", static_cast<long long>(resources.user));
    // The memory row's floor is floor.exe's own process; this one holds the bench as well.
    Print("floor_in_bench_private_bytes", resources.privateBytes);
    const BitmapTally bitmaps = Bitmaps();
    Print("floor_bitmaps", bitmaps.count);
    Print("floor_bitmap_bytes", bitmaps.bytes);
    DestroyWindow(window);
    return 0;
}

// What Wine spends showing a window and painting it, whoever's window it is: a bare one of a
// given size, made once and shown again each time it is timed.
class BareWindow {
  public:
    BareWindow(const char* name, int width, int height, int show)
        : window_(bench::ShowFloorWindow(GetModuleHandleW(nullptr), WideFromSjis(name).c_str(),
                                         &DefWindowProcW)),
          show_(show) {
        if (!window_)
            return;
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        ShowWindow(window_, SW_HIDE);  // it waits hidden, as a response's window does
        Drain();
    }
    ~BareWindow() {
        if (window_)
            DestroyWindow(window_);
    }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;

    bool Made() const { return window_ != nullptr; }
    double TimeShowing() const {
        ShowWindow(window_, SW_HIDE);
        Drain();
        const LONGLONG start = Ticks();
        ShowWindow(window_, show_);
        UpdateWindow(window_);
        const double ms = Milliseconds(Ticks() - start);
        ShowWindow(window_, SW_HIDE);
        Drain();
        return ms;
    }

  private:
    const HWND window_;
    const int show_;
};

// A response's own share is what it takes beyond a bare window shown (and, for a post, one
// save): those are timed in the same rounds as the response, one right after it, so that a
// slow spell of the machine falls on all of them alike.
class Responses {
  public:
    Responses(Program& program, int repeats) : program_(program), repeats_(repeats) {}

    // What went wrong in the measurement that returned false.
    const char* Fault() const { return what_; }

    // From the press of 貼 (through its handler) until the new memo's strip is painted; in
    // each round then a bare window of the strip's size shown without taking the focus, and
    // a save.
    bool Post() {
        TTPostForm& editor = program_.Editor();
        TMemoWindow& strip = program_.App().MemoWindow(kSlot);
        const BareWindow bare("wine_show_strip", TMemoWindow::kLargeWidth, TMemoWindow::kHeight,
                              SW_SHOWNOACTIVATE);
        if (!bare.Made())
            return Wrong("no bare window could be made");
        std::vector<double> times, bareTimes, saves, backToBack;
        for (int round = 0; round < repeats_; ++round) {
            if (!EmptySlotSelected())
                return false;
            const std::string text = "posted " + std::to_string(round) + " \x83\x81\x83\x82";
            editor.PstEdt.SetText("");
            Type(editor.PstEdt.Handle(), WideFromSjis(text));
            Drain();
            const LONGLONG start = Ticks();
            Click(editor, editor.SetBtn);
            UpdateWindow(strip.Handle());
            const LONGLONG end = Ticks();
            if (SlotTable[kSlot].Memo != text || !strip.Visible() || Invalid(strip))
                return Wrong("a post did not show its strip");
            times.push_back(Milliseconds(end - start));
            Drain();
            bareTimes.push_back(bare.TimeShowing());
            if (!TimeSave(round, saves, backToBack))
                return false;
        }
        Report("response_post_to_strip", times);
        Report("wine_show_strip", bareTimes);
        Report("save_settings", saves);
        Report("save_settings_back_to_back", backToBack);
        return true;
    }

    // One step of a strip's drag: moved by a few pixels as the system's move loop moves it,
    // repainted, the end of the move handled (pulled back onto the desktop) and the new
    // place kept.
    bool DragStep() {
        TMemoWindow& strip = program_.App().MemoWindow(0);
        const HWND window = strip.Handle();
        std::vector<double> times;
        for (int round = 0; round < repeats_; ++round) {
            RECT before{};
            GetWindowRect(window, &before);
            const int dx = round % 2 ? -3 : 3;
            const int dy = round % 2 ? -2 : 2;
            const LONGLONG start = Ticks();
            SetWindowPos(window, nullptr, before.left + dx, before.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateWindow(window);
            SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
            UpdateWindow(window);
            strip.StoreWindowPosition();
            const LONGLONG end = Ticks();
            if (SlotTable[0].Left != before.left + dx || SlotTable[0].Top != before.top + dy)
                return Wrong("a drag step did not move the strip");
            times.push_back(Milliseconds(end - start));
            Drain();
        }
        Report("response_drag_step", times);
        return true;
    }

    // From the editor's check timer message until the due memo's reminder window is painted;
    // in each round then a bare window of the reminder's size shown and activated.
    bool Reminder() {
        TMsgForm& reminder = program_.App().Reminder();
        const BareWindow bare("wine_show_reminder", TMsgForm::kWidth, TMsgForm::kHeight, SW_SHOW);
        if (!bare.Made())
            return Wrong("no bare window could be made");
        std::vector<double> times, bareTimes;
        for (int round = 0; round < repeats_; ++round) {
            if (!EmptySlotSelected() || !PostDueMemo(round))
                return false;
            bool shown = false;
            LONGLONG shownAt = 0;
            probe_.Post([&] {
                shown = reminder.Visible();
                UpdateWindow(reminder.Handle());
                shownAt = Ticks();
                shown = shown && !Invalid(reminder);
                PressKeyAsUser(reminder.Handle(), VK_ESCAPE);
            });
            const LONGLONG start = Ticks();
            Check();
            if (!probe_.Done() || !shown || reminder.Visible() || !SlotTable[kSlot].Memo.empty())
                return Wrong("a due memo was not shown and delivered");
            times.push_back(Milliseconds(shownAt - start));
            Drain();
            bareTimes.push_back(bare.TimeShowing());
        }
        Report("response_check_to_reminder", times);
        Report("wine_show_reminder", bareTimes);
        return true;
    }

    // The parts of a post as the editor makes them, one after the other, on the seventh
    // slot's strip: the editor's slot pictures, the strip's background loaded and its label
    // rendered, the hidden strip shown, the save, the editor's buttons, the strip painted.
    bool PostParts() {
        TTPostForm& editor = program_.Editor();
        TMemoWindow& strip = program_.App().MemoWindow(kSlot);
        if (SlotTable[kSlot].Memo.empty())
            return Wrong("the seventh slot holds no memo for the parts of a post");
        const char* names[] = {"post_part_slot_pictures", "post_part_strip_background",
                               "post_part_strip_label",   "post_part_strip_shown",
                               "post_part_save",          "post_part_editor_buttons",
                               "post_part_strip_painted"};
        std::vector<std::vector<double>> parts(std::size(names));
        for (int round = 0; round < repeats_; ++round) {
            strip.Hide();
            Drain();
            const std::function<void()> actions[] = {
                [&] { editor.ShowAllSlotPictures(); },
                [&] { strip.SkinMemoWindow(SlotTable[kSlot]); },
                [&] { strip.DrawMemoLabel(SlotTable[kSlot]); },
                [&] { strip.ShowWindowOfSlot(SlotTable[kSlot]); },
                [&] { WriteSettings(LocalNow); },
                [&] { editor.ShowPostButtons(kSlot); },
                [&] { UpdateWindow(strip.Handle()); },
            };
            for (std::size_t part = 0; part < parts.size(); ++part) {
                const LONGLONG start = Ticks();
                actions[part]();
                parts[part].push_back(Milliseconds(Ticks() - start));
            }
            if (!strip.Visible() || Invalid(strip))
                return Wrong("the parts of a post did not show the strip");
            Drain();
        }
        for (std::size_t part = 0; part < parts.size(); ++part)
            Report(names[part], parts[part]);
        return true;
    }

    // The save a post or a delivered reminder makes: the settings file written anew,
    // flushed to the disk and renamed over the old one. It is made as the program makes it,
    // after a text typed and the loop run (the post's own save came a few milliseconds
    // before, as the post came after the save of the round before it). A second save made
    // straight after it finds the system's caches warm, which no save of the program does;
    // both are timed, and the post's own share takes the first.
    bool TimeSave(int round, std::vector<double>& alone, std::vector<double>& backToBack) {
        TTPostForm& editor = program_.Editor();
        editor.PstEdt.SetText("");
        Type(editor.PstEdt.Handle(), WideFromSjis("saved " + std::to_string(round)));
        Drain();
        for (std::vector<double>* times : {&alone, &backToBack}) {
            const LONGLONG start = Ticks();
            if (!WriteSettings(LocalNow).Done)
                return Wrong("the settings could not be saved");
            times->push_back(Milliseconds(Ticks() - start));
        }
        return true;
    }

    // The parts of a reminder's showing: its character's picture loaded, its line and memo
    // rendered, the window shown (modally) and painted.
    bool ReminderParts() {
        TMsgForm& reminder = program_.App().Reminder();
        const MemoSlot& shown = SlotTable[0];
        std::vector<double> load, texts, show;
        for (int round = 0; round < repeats_; ++round) {
            const LONGLONG start = Ticks();
            reminder.ShowCharacter(shown.SlotTheme.TimerCharFile);
            const LONGLONG loaded = Ticks();
            reminder.DrawReminderLine(ChosenLine(shown.SlotTheme, static_cast<unsigned>(round)));
            reminder.DrawReminderMemo(shown.Memo);
            const LONGLONG rendered = Ticks();
            LONGLONG painted = 0;
            probe_.Post([&] {
                UpdateWindow(reminder.Handle());
                painted = Ticks();
                PressKeyAsUser(reminder.Handle(), VK_ESCAPE);
            });
            if (!reminder.ShowReminder() || !probe_.Done() || reminder.Visible())
                return Wrong("the reminder window did not show and close");
            load.push_back(Milliseconds(loaded - start));
            texts.push_back(Milliseconds(rendered - loaded));
            show.push_back(Milliseconds(painted - rendered));
            Drain();
        }
        Report("reminder_part_character_load", load);
        Report("reminder_part_texts", texts);
        Report("reminder_part_show_and_paint", show);
        return true;
    }

    // One check of the editor's timer with seven memos armed and none due.
    bool QuietCheck() {
        if (!EmptySlotSelected() || !PostArmedMemo())
            return false;
        std::vector<double> times;
        for (int round = 0; round < repeats_ * 10; ++round) {
            const LONGLONG start = Ticks();
            Check();
            times.push_back(Milliseconds(Ticks() - start));
        }
        if (ShownStrips(program_.App()) != kSlotCount)
            return Wrong("a check with nothing due took a memo off");
        Report("check_nothing_due", times);
        // Its share that looks whether another copy of the program changed the file.
        std::vector<double> looks;
        for (int round = 0; round < repeats_ * 10; ++round) {
            const LONGLONG start = Ticks();
            FollowSettingsFile(LocalNow);
            looks.push_back(Milliseconds(Ticks() - start));
        }
        Report("check_file_unchanged", looks);
        return true;
    }

  private:
    static constexpr int kSlot = 6;  // the seventh memo is the one posted and delivered

    void Check() {
        SendMessageW(program_.Editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0);
    }
    static bool Invalid(const Form& form) {
        return GetUpdateRect(form.Handle(), nullptr, FALSE) != FALSE;
    }
    bool Wrong(const char* what) {
        what_ = what;
        return false;
    }
    void Report(const std::string& name, const std::vector<double>& times) {
        Print((name + "_median_ms").c_str(), Median(times));
        Print((name + "_max_ms").c_str(), Highest(times));
        Print((name + "_repeats").c_str(), static_cast<long long>(times.size()));
    }
    // The seventh slot empty and chosen in the editor, its timer tick off.
    bool EmptySlotSelected() {
        if (!SlotTable[kSlot].Memo.empty())
            program_.RightClickMemo(kSlot, kPeelOffCaption);
        TTPostForm& editor = program_.Editor();
        if (SelectedSlot != kSlot)
            Click(editor, editor.PstBtn[kSlot]);
        if (editor.TimSetCBox.Checked())
            SendMessageW(editor.TimSetCBox.Handle(), BM_CLICK, 0, 0);
        Drain();
        if (!SlotTable[kSlot].Memo.empty() || SelectedSlot != kSlot ||
            editor.TimSetCBox.Checked()) {
            return Wrong("the seventh slot could not be emptied and chosen");
        }
        return true;
    }
    bool PostTimed(const std::string& text, const std::array<const char*, 5>& time) {
        TTPostForm& editor = program_.Editor();
        editor.PstEdt.SetText("");
        Type(editor.PstEdt.Handle(), WideFromSjis(text));
        SendMessageW(editor.TimSetCBox.Handle(), BM_CLICK, 0, 0);
        ComboBox* boxes[] = {&editor.YearCmb, &editor.MonthCmb, &editor.DayCmb, &editor.TimeLCmb,
                             &editor.TimeMCmb};
        for (int i = 0; i < 5; ++i)
            boxes[i]->SetText(time[i]);
        Click(editor, editor.SetBtn);
        Drain();
        if (SlotTable[kSlot].Memo != text || !SlotTable[kSlot].Time.IsSet())
            return Wrong("a memo with a time could not be posted");
        return true;
    }
    // Before the held clock (2026-12-08 09:05): due at the next check.
    bool PostDueMemo(int round) {
        return PostTimed("due " + std::to_string(round), {"2026", "12", "8", "9", "0"});
    }
    // Later the same day: armed.
    bool PostArmedMemo() { return PostTimed("armed", {"2026", "12", "8", "23", "59"}); }

    Program& program_;
    const int repeats_;
    LoopProbe probe_;

    const char* what_ = "";
};

int ProgramFigures(int repeats) {
    const ScopedFixedClock clock(Moment(2026, 12, 8, 9, 5));
    Program program(SevenArmedMemos());
    Application& app = program.App();
    app.CreateWindows();
    app.Reminder().SetKeyDelay(0);  // the bench closes the reminder at once
    app.FirstDisplay();
    Drain();
    if (ShownStrips(app) != kSlotCount)
        return Failed("the seven strips are not shown");

    const Resources resources = Measure();
    const PROCESS_MEMORY_COUNTERS_EX memory = MemoryCounters();
    Print("program_gdi_objects", static_cast<long long>(resources.gdi));
    Print("program_user_objects", static_cast<long long>(resources.user));
    Print("program_private_bytes", resources.privateBytes);
    Print("program_peak_working_set", static_cast<long long>(memory.PeakWorkingSetSize));
    const BitmapTally bitmaps = Bitmaps();
    Print("program_bitmaps", bitmaps.count);
    Print("program_bitmap_bytes", bitmaps.bytes);
    Print("program_largest_bitmaps", bitmaps.largest);

    // The strips and the editor, each repainted whole with its background to be erased.
    {
        const PaintingSpies spies;
        Print("paint_functions_watched", static_cast<long long>(spies.Watched()));
        app.Editor().ShowEditor();
        Drain();
        std::vector<const Form*> forms{&app.Editor()};
        for (int slot = 0; slot < kSlotCount; ++slot)
            forms.push_back(&app.MemoWindow(slot));
        int screenCalls = 0, fullBlits = 0, memoryCalls = 0, finalPictures = 0;
        for (const Form* form : forms) {
            const PaintReport report = RepaintWatched(*form);
            screenCalls += report.screenCalls;
            fullBlits += report.fullBlits;
            memoryCalls += report.memoryCalls;
            finalPictures += report.finalPicture;
        }
        Print("paint_windows", static_cast<long long>(forms.size()));
        Print("paint_screen_calls", static_cast<long long>(screenCalls));
        Print("paint_full_blits_from_memory", static_cast<long long>(fullBlits));
        Print("paint_offscreen_calls", static_cast<long long>(memoryCalls));
        Print("paint_final_pictures", static_cast<long long>(finalPictures));
    }

    Responses responses(program, repeats);
    if (!responses.Post() || !responses.PostParts() || !responses.DragStep() ||
        !responses.Reminder() || !responses.ReminderParts() || !responses.QuietCheck()) {
        return Failed(responses.Fault());
    }
    if (!program.Boxes().empty())
        return Failed("a message box came: " + program.Boxes().front());
    return 0;
}

// Seven armed memos on the real clock, the title's three seconds in the program's own loop,
// then `seconds` in a loop that counts what arrives.
int Idle(int seconds) {
    Program program(SevenArmedMemos());
    Application& app = program.App();
    app.CreateWindows();
    app.Title().CenterOnScreen();
    app.Title().Show();
    if (!PumpUntil([&] { return ShownStrips(app) == kSlotCount; }, 10000))
        return Failed("the strips did not come after the title");
    PumpUntil([] { return false; }, 500);  // what the first display set off settles

    long long messages = 0, timers = 0, wakeUps = 0;
    std::map<std::string, int> timerSources;
    const double cpuBefore = ProcessCpuMilliseconds();
    const DWORD start = GetTickCount();
    const DWORD length = static_cast<DWORD>(seconds) * 1000;
    for (DWORD waited = 0; waited < length; waited = GetTickCount() - start) {
        const DWORD woke =
            MsgWaitForMultipleObjects(0, nullptr, FALSE, length - waited, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0)
            continue;
        ++wakeUps;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ++messages;
            if (message.message == WM_TIMER) {
                ++timers;
                wchar_t name[64] = {};
                GetClassNameW(message.hwnd, name, 64);
                ++timerSources[SjisFromWide(name) + "#" + std::to_string(message.wParam)];
            }
            DeliverMessage(message);
        }
    }
    const double cpu = ProcessCpuMilliseconds() - cpuBefore;
    std::string sources;
    for (const auto& [source, count] : timerSources)
        sources += (sources.empty() ? "" : ",") + source + "x" + std::to_string(count);
    Print("idle_seconds", static_cast<long long>(seconds));
    Print("idle_messages", messages);
    Print("idle_timer_messages", timers);
    Print("idle_timer_sources", sources.empty() ? std::string("none") : sources);
    Print("idle_wake_ups", wakeUps);
    Print("idle_cpu_ms", cpu);
    if (!program.Boxes().empty())
        return Failed("a message box came: " + program.Boxes().front());
    return 0;
}

int MemoryOf(const char* className) {
    const HWND window = FindWindowW(WideFromSjis(className).c_str(), nullptr);
    if (!window)
        return Failed(std::string("no window of class ") + className);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.Valid())
        return Failed("cannot open the process");
    const PROCESS_MEMORY_COUNTERS_EX counters = MemoryCounters(process.Get());
    if (counters.cb == 0)
        return Failed("no memory counters for the process");
    Print("private_bytes", PrivateBytes(process.Get()));
    Print("peak_working_set", static_cast<long long>(counters.PeakWorkingSetSize));
    Print("working_set", static_cast<long long>(counters.WorkingSetSize));
    return 0;
}

int Usage() {
    std::fputs(
        "usage: bench_wine phases | program [REPEATS] | floor | idle SECONDS | memory CLASS\n",
        stderr);
    return 2;
}

}  // namespace
}  // namespace haripon

int main(int argc, char** argv) {
    using namespace haripon;
    if (argc < 2)
        return Usage();
    const std::string mode = argv[1];
    int result = 2;
    if (mode == "phases" && argc == 2)
        result = Phases();
    else if (mode == "program" && argc <= 3)
        result = ProgramFigures(argc == 3 ? std::max(1, std::atoi(argv[2])) : 50);
    else if (mode == "floor" && argc == 2)
        result = Floor();
    else if (mode == "idle" && argc == 3)
        result = Idle(std::max(1, std::atoi(argv[2])));
    else if (mode == "memory" && argc == 3)
        result = MemoryOf(argv[2]);
    else
        return Usage();
    std::fflush(stdout);
    return result;
}
