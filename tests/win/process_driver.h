// Runs haripon.exe in a folder of its own and works its windows from outside, as a user would.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/core/handles_win.h"
#include "temp_folder.h"

namespace haripon::testing_support {

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
    // The program's top-level window of that class, waiting up to the timeout; a shown
    // one when `shown` is true.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 10000, bool shown = false) const;
    // The next message box of the program, waiting up to the timeout.
    MessageBoxSeen WaitForMessageBox(DWORD timeoutMs = 10000) const;
    static void PressOk(const MessageBoxSeen& box);
    // True when the program ended within the timeout; its exit code is then kept.
    bool WaitForExit(DWORD timeoutMs = 15000);
    DWORD ExitCode() const { return exitCode_; }

  private:
    KernelHandle process_;
    DWORD processId_ = 0;
    DWORD exitCode_ = STILL_ACTIVE;
};

}  // namespace haripon::testing_support
