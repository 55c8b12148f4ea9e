// haripon.exe: desktop sticky memos with reminders.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "app/application.h"
#include "app/tray_rules.h"
#include "model/texts.h"
#include "platform/core/app_path.h"
#include "platform/win32/accessible.h"
#include "platform/win32/error_report.h"
#include "platform/core/handles_win.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

// Held for the whole run. The window-class test alone leaves a gap between two copies
// started at the same instant; the mutex closes it.
class SingleInstance {
  public:
    SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Haripon.SingleInstance")) {
        const bool mutexTaken = mutex_.Valid() && GetLastError() == ERROR_ALREADY_EXISTS;
        otherRunning_ = mutexTaken || FindWindowW(TPTitleForm::kClassName, nullptr) != nullptr;
    }

    bool OtherRunning() const { return otherRunning_; }
    // A copy that is not to run lets go at once: while its message is open, the running
    // copy may end, and a start after that must not be refused.
    void Release() { mutex_.Reset(); }

  private:
    KernelHandle mutex_;
    bool otherRunning_ = false;
};

// After a restart for an update or a reboot Windows starts the program again, as it was
// running (Vista on); not after a crash or a hang, which would start it over and over.
// Started so, it says nothing when another copy runs: the one in the Startup folder.
void StartAgainAfterARestart() {
    using Register = HRESULT(WINAPI*)(PCWSTR, DWORD);
    constexpr DWORD kNotAfterACrashOrAHang = 1 | 2;  // RESTART_NO_CRASH | RESTART_NO_HANG
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (const auto registerRestart = reinterpret_cast<Register>(reinterpret_cast<void*>(
            kernel ? GetProcAddress(kernel, "RegisterApplicationRestart") : nullptr)))
        registerRestart(kRestartedArgument, kNotAfterACrashOrAHang);
}

// The program's only argument is that one, as the system splits the command line.
bool StartedAgainByWindows() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool again = arguments && count == 2 && lstrcmpiW(arguments[1], kRestartedArgument) == 0;
    LocalFree(arguments);
    return again;
}

// A copy Windows restarted leaves the moment it started where a copy started after it finds
// it, for the whole run.
constexpr wchar_t kRestartedMark[] = L"Local\\Haripon.Restarted";

KernelHandle MarkRestarted() {
    KernelHandle mark(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         sizeof(ULONGLONG), kRestartedMark));
    if (!mark.Valid())
        return mark;
    if (void* view = MapViewOfFile(mark.Get(), FILE_MAP_WRITE, 0, 0, sizeof(ULONGLONG))) {
        *static_cast<ULONGLONG*>(view) = GetTickCount64();
        UnmapViewOfFile(view);
    }
    return mark;
}

// How long ago the running copy was started, where Windows restarted it.
std::optional<std::uint64_t> OtherRestartedAgo() {
    const KernelHandle mark(OpenFileMappingW(FILE_MAP_READ, FALSE, kRestartedMark));
    const void* view = mark.Valid() ? MapViewOfFile(mark.Get(), FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (!view)
        return std::nullopt;
    const ULONGLONG started = *static_cast<const ULONGLONG*>(view);
    UnmapViewOfFile(view);
    return GetTickCount64() - started;
}

int RunProgram() {
    SingleInstance instance;
    if (instance.OtherRunning()) {
        instance.Release();
        if (SecondCopyEndsSilently(StartedAgainByWindows(), OtherRestartedAgo()))
            return 0;
        MessageBoxW(nullptr, WideFromSjis(kAlreadyRunning).c_str(), WideFromSjis(kAppName).c_str(),
                    MB_OK);
        return 0;
    }
    StartAgainAfterARestart();
    const KernelHandle restarted = StartedAgainByWindows() ? MarkRestarted() : KernelHandle();
    UseAccessibleForms();
    Application application(ExecutableFolder());
    return application.Run();
}

}  // namespace

}  // namespace haripon

// The runtime's own handler for an exception nobody catches prints the exception's demangled
// type on the standard error, which a windowed program does not have, and brings the
// demangler in: a twelfth of the program. Ending at once is all the user would see of it.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return haripon::RunProgram();
    } catch (const std::exception& error) {
        haripon::ShowErrorReport(error.what());
    } catch (...) {
        haripon::ShowErrorReport(haripon::Reasons().UnknownError);
    }
    return 0;
}
