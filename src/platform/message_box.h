// The program's message boxes: the text, the caption VersionText, one OK button, no icon.
#pragma once

#include <string>

#include <windows.h>

namespace haripon {

// Shows the box modally; afterwards the keyboard focus goes to `focus` when given.
void ShowMessage(const std::string& text, const std::string& caption, HWND focus = nullptr);
// The same with the caption VersionText.
void ShowMessage(const std::string& text, HWND focus = nullptr);

// Tests in the program's own process see each box, message or error report, here instead
// of on screen.
using MessageBoxHook = void (*)(const std::string& text, const std::string& caption);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace haripon
