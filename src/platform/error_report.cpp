#include "platform/error_report.h"

#include <iterator>

#include "platform/win_text.h"

namespace haripon {

std::string SystemErrorText(DWORD error) {
    wchar_t buffer[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty())
        text = L"System error " + std::to_wstring(error);
    return SjisFromWide(text);
}

void ThrowLastError(const std::string& subject) {
    const DWORD error = GetLastError();
    throw AppError(subject.empty() ? SystemErrorText(error)
                                   : subject + ": " + SystemErrorText(error));
}

}  // namespace haripon
