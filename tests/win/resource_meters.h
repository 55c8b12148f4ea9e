// The process's own GDI and USER objects and its memory, measured from inside it: with
// GetGuiResources and PrivateUsage where the system has them, and with counts of the same
// objects where Wine leaves those unimplemented.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <vector>

namespace haripon::testing_support {

// GetGuiResources, or, where Wine leaves it unimplemented, a count of the same objects: a
// GDI or USER handle whose high word is zero names whatever object of the process lives at
// that index of its handle table there, whatever the object's generation.
inline bool GuiResourcesCounted(DWORD count) {
    return count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

inline long GdiObjects() {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (GuiResourcesCounted(count))
        return static_cast<long>(count);
    long live = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

inline bool OfThisProcess(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == GetCurrentProcessId();
}

inline BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
    *reinterpret_cast<long*>(count) += OfThisProcess(window);
    return TRUE;
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The process's windows (top-level, message-only and every child of them) and menus: the
// USER objects a form, a control, a hint or a popup is made of.
inline long WindowsAndMenus() {
    std::vector<HWND> topLevel;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&topLevel));
    for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
        topLevel.push_back(window);
    long objects = 0;
    for (HWND window : topLevel) {
        if (!OfThisProcess(window))
            continue;
        ++objects;
        EnumChildWindows(window, &CountOwnWindow, reinterpret_cast<LPARAM>(&objects));
    }
    constexpr ULONG_PTR kFirstUserHandle = 0x20;
    constexpr ULONG_PTR kLastUserHandle = 0xFFEF;
    for (ULONG_PTR handle = kFirstUserHandle; handle <= kLastUserHandle; handle += 2)
        objects += IsMenu(reinterpret_cast<HMENU>(handle)) != FALSE;
    return objects;
}

inline long UserObjects() {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return GuiResourcesCounted(count) ? static_cast<long>(count) : WindowsAndMenus();
}

// The memory counters of a process; all zero when the system gives none.
inline PROCESS_MEMORY_COUNTERS_EX MemoryCounters(HANDLE process = GetCurrentProcess()) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return PROCESS_MEMORY_COUNTERS_EX{};
    }
    return counters;
}

// The commit charge: PrivateUsage, which the documentation calls the same as PagefileUsage;
// Wine fills in only the latter (there: the process's anonymous memory, resident or swapped).
inline long long PrivateBytes(HANDLE process = GetCurrentProcess()) {
    const PROCESS_MEMORY_COUNTERS_EX counters = MemoryCounters(process);
    if (counters.cb == 0)
        return -1;
    return static_cast<long long>(counters.PrivateUsage ? counters.PrivateUsage
                                                        : counters.PagefileUsage);
}

struct Resources {
    long gdi;
    long user;
    long long privateBytes;
};

inline Resources Measure() {
    return {GdiObjects(), UserObjects(), PrivateBytes()};
}

}  // namespace haripon::testing_support
