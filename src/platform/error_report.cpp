#include "platform/error_report.h"

#include "platform/win_text.h"

namespace haripon {

void ThrowLastError(const std::string& subject) {
    const DWORD error = GetLastError();
    throw AppError(subject.empty() ? SystemErrorText(error)
                                   : subject + ": " + SystemErrorText(error));
}

}  // namespace haripon
