#include "process_driver.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "platform/core/wide_text_win.h"
#include "platform/win32/window_text.h"

namespace haripon::testing_support {

namespace {

namespace fs = std::filesystem;

// The staged program folder of this build: program, DATA\ and the default theme file.
fs::path DistFolder() {
    wchar_t name[MAX_PATH];
    GetModuleFileNameW(nullptr, name, MAX_PATH);
    return fs::path(name).parent_path().parent_path() / L"dist";
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string TextOf(HWND window) {
    return SjisFromWide(WindowText(window));
}

struct Search {
    DWORD processId;
    std::wstring className;
    bool shown;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || ClassOf(window) != search->className)
        return TRUE;
    if (search->shown && !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM parameter) {
    auto* texts = reinterpret_cast<std::vector<std::string>*>(parameter);
    if (ClassOf(window) == L"Static")
        texts->push_back(TextOf(window));
    return TRUE;
}

HWND WaitForTopLevel(DWORD processId, const wchar_t* className, DWORD timeoutMs, bool shown) {
    Search search{processId, className, shown};
    WaitUntil(
        [&] {
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

}  // namespace

ProgramFolder::ProgramFolder() : TempFolder("run") {
    fs::copy(DistFolder(), Path(), fs::copy_options::recursive);
}

ProgramRun::ProgramRun(const ProgramFolder& folder, const std::wstring& arguments) {
    const fs::path program = folder.Path() / L"haripon.exe";
    std::wstring commandLine = L"\"" + program.native() + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Started from another folder: the program must find its files beside itself.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        throw std::runtime_error("cannot start haripon.exe");
    }
    KernelHandle thread(started.hThread);
    process_.Reset(started.hProcess);
    processId_ = started.dwProcessId;
}

ProgramRun::~ProgramRun() {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), kStartOrEndMs);
    }
}

HWND ProgramRun::WaitForWindow(const wchar_t* className, DWORD timeoutMs, bool shown) const {
    return WaitForTopLevel(processId_, className, timeoutMs, shown);
}

MessageBoxSeen ProgramRun::WaitForMessageBox(DWORD timeoutMs) const {
    MessageBoxSeen box;
    box.window = WaitForTopLevel(processId_, L"#32770", timeoutMs, true);
    if (!box.window)
        return box;
    box.caption = TextOf(box.window);
    std::vector<std::string> texts;
    EnumChildWindows(box.window, &CollectStatic, reinterpret_cast<LPARAM>(&texts));
    for (const std::string& text : texts) {
        if (text.size() > box.text.size())
            box.text = text;
    }
    return box;
}

void ProgramRun::PressOk(const MessageBoxSeen& box) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
}

bool ProgramRun::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.Get(), &exitCode_);
    return true;
}

}  // namespace haripon::testing_support
