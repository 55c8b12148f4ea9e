// Driving forms of the program in the test's own process as a user would: clicks on
// graphic controls, typed and pasted text, and comparing pictures.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/gdi.h"

namespace haripon::testing_support {

// A left click in the middle of a graphic control of the form.
inline void Click(const Form& form, const Control& control) {
    const RECT& at = control.Bounds();
    const LPARAM middle = MAKELPARAM((at.left + at.right) / 2, (at.top + at.bottom) / 2);
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, middle);
}

// Characters as the keyboard delivers them (surrogate pairs one unit at a time).
inline void Type(HWND window, std::wstring_view text) {
    for (const wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

inline void Paste(HWND window, const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        CopyMemory(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
    SendMessageW(window, WM_PASTE, 0, 0);
}

// The edit box inside an editable combo box, where its text is typed.
inline HWND EditOf(HWND comboBox) {
    return GetWindow(comboBox, GW_CHILD);
}

// The focus is on the window or inside it (a combo box's focus is on its edit box).
inline bool HasFocus(HWND window) {
    const HWND focus = GetFocus();
    return focus == window || IsChild(window, focus);
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.PixelAt(x, y) != b.PixelAt(x, y))
                return false;
        }
    }
    return true;
}

// True when the button shows image `index` of its glyph strip: every pixel of that image
// except the strip's transparent colour is on screen, centred in the button.
inline bool ShowsGlyphImage(const Form& form, const Control& button, const Bitmap& strip,
                            int index) {
    const Bitmap shown = form.RenderClient();
    const int width = strip.Width() / 4;
    const int left = button.Bounds().left + (button.Width() - width) / 2;
    const int top = button.Bounds().top + (button.Height() - strip.Height()) / 2;
    const COLORREF transparent = strip.BottomLeftColor();
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF expected = strip.PixelAt(index * width + x, y);
            if (expected != transparent && shown.PixelAt(left + x, top + y) != expected)
                return false;
        }
    }
    return true;
}

inline SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

}  // namespace haripon::testing_support
