// Errors raised inside handlers, and the one place that reports them.
#pragma once

#include <stdexcept>
#include <string>

#include <windows.h>

#include "platform/core/reasons.h"

namespace haripon {

// An error with a text for the user (UTF-8: file names and system texts in any language).
class AppError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws AppError with the system's text for the last error, after the given subject
// (typically a file name).
[[noreturn]] void ThrowLastError(const std::string& subject);

// The standard error report: a message box with the error's own text under the caption
// set here. An error raised while a report is showing (its box runs a message loop) is
// not reported on top of it. It goes through the same test hook as the program's messages
// (message_box.h), where it is defined.
void ShowErrorReport(const std::string& text);  // UTF-8; the caption Shift-JIS
// The same, above every window and owned by `owner`, without taking the keyboard: a report
// about a window that stays on top, which it must not hide behind.
void ShowErrorReportOver(HWND owner, const std::string& text);
void SetErrorReportCaption(std::string caption);

// Runs a handler; an exception it raises is reported and goes no further.
template <typename Handler>
void RunReported(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorReport(error.what());
    } catch (...) {
        ShowErrorReport(Reasons().UnknownError);
    }
}

}  // namespace haripon
