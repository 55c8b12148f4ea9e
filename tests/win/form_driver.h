// Driving forms of the program in the test's own process as a user would: clicks on
// graphic controls, typed and pasted text, and comparing pictures.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/gdi.h"

namespace haripon::testing_support {

// Runs what is waiting in the thread's queue, paints included, as the program's loop would.
inline void Drain() {
    MSG waiting;
    while (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE))
        PumpMessage();
}

// A left click in the middle of a graphic control of the form.
inline void Click(const Form& form, const Control& control) {
    const RECT& at = control.Bounds();
    const LPARAM middle = MAKELPARAM((at.left + at.right) / 2, (at.top + at.bottom) / 2);
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, middle);
}

// A key pressed in a window the user has clicked into first, as a person closes a reminder.
inline void PressKeyAsUser(HWND window, WPARAM key) {
    PostMessageW(window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    PostMessageW(window, WM_KEYDOWN, key, 1);
}

// Characters as the keyboard delivers them (surrogate pairs one unit at a time).
inline void Type(HWND window, std::wstring_view text) {
    for (const wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

inline void Paste(HWND window, const std::wstring& text) {
    struct Clipboard {
        const bool open = OpenClipboard(nullptr) != FALSE;
        ~Clipboard() {
            if (open)
                CloseClipboard();
        }
    } clipboard;
    if (!clipboard.open)
        return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return;
    CopyMemory(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
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

// All pixels of a picture, row by row from the top, as 0x00RRGGBB.
inline std::vector<DWORD> Pixels(const Bitmap& picture) {
    std::vector<DWORD> pixels(static_cast<std::size_t>(picture.Width()) * picture.Height());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const WindowDC screen;
    GetDIBits(screen.Get(), picture.Handle(), 0, static_cast<UINT>(picture.Height()), pixels.data(),
              &info, DIB_RGB_COLORS);
    return pixels;
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && Pixels(a) == Pixels(b);
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

// Runs actions from whatever message loop runs next: the way a test acts while a modal
// window waits for the user. Each action is taken after everything the one before it
// posted, so that a window it closes is closed before the next action runs.
class LoopProbe : public Form {
  public:
    LoopProbe() : Form(L"THariponLoopProbe", 1, 1) { Create(); }
    void Post(std::function<void()> action) {
        actions_.push_back(std::move(action));
        if (actions_.size() == 1)
            PostMessageW(Handle(), WM_APP, 0, 0);
    }
    bool Done() const { return actions_.empty(); }

  protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_APP || actions_.empty())
            return false;
        actions_.front()();
        actions_.pop_front();
        if (!actions_.empty())
            PostMessageW(Handle(), WM_APP, 0, 0);
        result = 0;
        return true;
    }

  private:
    std::deque<std::function<void()>> actions_;
};

}  // namespace haripon::testing_support
