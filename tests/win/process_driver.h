// Runs haripon.exe in a folder of its own and works its windows from outside, as a user would.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/core/handles_win.h"
#include "temp_folder.h"

namespace haripon::testing_support {

// Bounds of the waits for the program, made for a busy two-core machine: they cost nothing
// when things go right.
constexpr DWORD kStartOrEndMs = 60000;  // the program comes up, or ends
constexpr DWORD kShowMs = 30000;        // a window or a message box shows

// Asks `done` every 10 ms until it holds (true) or the bound passes (false).
template <typename Condition>
bool WaitUntil(Condition done, DWORD boundMs = kShowMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > boundMs)
            return false;
        Sleep(10);
    }
    return true;
}

// A fresh temporary folder holding a copy of the staged program with its themes.
class ProgramFolder : public TempFolder {
  public:
    ProgramFolder();
};

// The text and caption of a message box, converted to Shift-JIS.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string text;
    std::string caption;
};

class ProgramRun {
  public:
    // `arguments` after the program's name on its command line.
    explicit ProgramRun(const ProgramFolder& folder, const std::wstring& arguments = L"");
    ~ProgramRun();  // ends a program still running
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    DWORD ProcessId() const { return processId_; }
    // The program's top-level window of that class, waiting up to the timeout (by default
    // long enough for the first window of a start); a shown one when `shown` is true.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = kStartOrEndMs,
                       bool shown = false) const;
    // The next message box of the program, waiting up to the timeout.
    MessageBoxSeen WaitForMessageBox(DWORD timeoutMs = kShowMs) const;
    static void PressOk(const MessageBoxSeen& box);
    // True when the program ended within the timeout; its exit code is then kept.
    bool WaitForExit(DWORD timeoutMs = kStartOrEndMs);
    DWORD ExitCode() const { return exitCode_; }

  private:
    KernelHandle process_;
    DWORD processId_ = 0;
    DWORD exitCode_ = STILL_ACTIVE;
};

}  // namespace haripon::testing_support
