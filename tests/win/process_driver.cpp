#include "process_driver.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/win_text.h"

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
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || ClassOf(window) != search->className)
        return TRUE;
    if (search->className == L"#32770" && !IsWindowVisible(window))
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

HWND WaitForTopLevel(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Search search{processId, className};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(50);
    }
}

}  // namespace

ProgramFolder::ProgramFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    path_ = fs::path(temp) / (L"haripon-run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++serial));
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::copy(DistFolder(), path_, fs::copy_options::recursive);
}

ProgramFolder::~ProgramFolder() {
    for (const auto& entry : fs::recursive_directory_iterator(path_)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ProgramFolder::Read(const char* name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ProgramFolder::Write(const char* name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

ProgramRun::ProgramRun(const ProgramFolder& folder) {
    const fs::path program = folder.Path() / L"haripon.exe";
    std::wstring commandLine = L"\"" + program.native() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Started from another folder: the program must find its files beside itself.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        throw std::runtime_error("cannot start haripon.exe");
    }
}

ProgramRun::~ProgramRun() {
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramRun::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    return WaitForTopLevel(process_.dwProcessId, className, timeoutMs);
}

MessageBoxSeen ProgramRun::WaitForMessageBox(DWORD timeoutMs) const {
    MessageBoxSeen box;
    box.window = WaitForTopLevel(process_.dwProcessId, L"#32770", timeoutMs);
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
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.hProcess, &exitCode_);
    return true;
}

}  // namespace haripon::testing_support
