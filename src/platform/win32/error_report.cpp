#include "platform/win32/error_report.h"

#include "platform/core/wide_text_win.h"

namespace haripon {

void ThrowLastError(const std::string& subject) {
    const DWORD error = GetLastError();
    throw AppError(subject.empty() ? SystemErrorText(error)
                                   : subject + ": " + SystemErrorText(error));
}

}  // namespace haripon
