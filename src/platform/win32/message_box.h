// The program's message boxes: a text, a caption, one OK button, no icon.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace haripon {

// Shows the box modally (text and caption in Shift-JIS); afterwards the keyboard focus goes
// to `focus` when given.
void ShowMessage(const std::string& text, const std::string& caption, HWND focus = nullptr);

// A box that comes up on its own, not asked for by the user: shown above the other windows
// without taking the keyboard, in the taskbar and Alt+Tab; Enter, Space and Esc answer it only
// once the user has given it the keyboard `keyDelay` milliseconds ago, and never held down
// from before or repeating.
void ShowNotice(const std::string& text, const std::string& caption, DWORD keyDelay);

// The box of this program that is open, if any, brought to the front.
void BringShownMessageToFront();

// While one lives, tests in the program's own process see each box, message or error
// report, here instead of on screen (a message's text in Shift-JIS, an error report's in
// UTF-8); the hook before it comes back at its end.
class ScopedMessageBoxHook {
  public:
    using Hook = std::function<void(const std::string& text, const std::string& caption)>;
    explicit ScopedMessageBoxHook(Hook hook);
    ~ScopedMessageBoxHook();
    ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
    ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;

  private:
    Hook previous_;
};

}  // namespace haripon
