// What assistive technology is told of the program's forms, read as a screen reader reads it.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "form_driver.h"
#include "platform/win32/accessible.h"

namespace haripon::testing_support {

// What assistive technology is told of a form's client area: its name, its role and the
// names of its elements.
struct AccessibleView {
    std::wstring Name;
    long Role = 0;
    long State = 0;
    std::vector<std::wstring> Elements;
    std::vector<long> States;  // of the elements
    bool operator==(const AccessibleView& other) const {
        return Name == other.Name && Role == other.Role && State == other.State &&
               Elements == other.Elements && States == other.States;
    }
};

inline AccessibleView ReadView(IAccessible* accessible) {
    AccessibleView view;
    if (!accessible)
        return view;
    const auto child = [](long id) {
        VARIANT variant{};
        variant.vt = VT_I4;
        variant.lVal = id;
        return variant;
    };
    const auto name = [&](long id) {
        BSTR text = nullptr;
        const std::wstring result = accessible->get_accName(child(id), &text) == S_OK ? text : L"";
        SysFreeString(text);
        return result;
    };
    view.Name = name(CHILDID_SELF);
    VARIANT role{};
    if (accessible->get_accRole(child(CHILDID_SELF), &role) == S_OK)
        view.Role = role.lVal;
    VARIANT own{};
    if (accessible->get_accState(child(CHILDID_SELF), &own) == S_OK && own.vt == VT_I4)
        view.State = own.lVal;
    long count = 0;
    accessible->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        view.Elements.push_back(name(id));
        VARIANT state{};
        accessible->get_accState(child(id), &state);
        view.States.push_back(state.vt == VT_I4 ? state.lVal : 0);
    }
    return view;
}

// Read from another thread, as a screen reader reads from its own process: the element
// crosses over through the system's marshalling while this thread runs its messages.
inline AccessibleView ReadAccessibleAcrossThreads(HWND window) {
    AccessibleView view;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccessible* accessible = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                 IID_IAccessible,
                                                 reinterpret_cast<void**>(&accessible)))) {
            view = ReadView(accessible);
            accessible->Release();
        }
        CoUninitialize();
        done = true;
    });
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Drain();
    }
    reader.join();
    return view;
}

// Says in the test's output what could not be run on this machine, and why; scripts/test
// gathers these lines at its end.
inline void SayNotRunHere(const char* what, const char* why) {
    std::printf("NOT RUN HERE: %s: %s\n", what, why);
    std::fflush(stdout);
}

// 64-bit Wine 8 hands no element answered with LresultFromObject to anyone through
// AccessibleObjectFromWindow (E_INVALIDARG on the window's own thread, another thread and
// from another process alike); 32-bit Wine and Windows do.
inline bool SystemMarshalsAccessibleObjects() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    return !(wine && sizeof(void*) == 8);
}

// The form's own element read in this process; where the system marshals elements, read as
// a screen reader reads it as well, and the two must agree.
inline AccessibleView ReadAccessible(Form& form) {
    IAccessible* const accessible = FormAccessibleObject(form);
    const AccessibleView view = ReadView(accessible);
    if (accessible)
        accessible->Release();
    if (SystemMarshalsAccessibleObjects()) {
        EXPECT_EQ(ReadAccessibleAcrossThreads(form.Handle()), view)
            << "read through AccessibleObjectFromWindow from another thread";
    } else {
        SayNotRunHere("the element read through AccessibleObjectFromWindow",
                      "64-bit Wine 8 marshals no accessible element; the element is read "
                      "in-process instead");
    }
    return view;
}

}  // namespace haripon::testing_support
