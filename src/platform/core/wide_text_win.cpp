#include "platform/core/wide_text_win.h"

#include <windows.h>

#include <iterator>

namespace haripon {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromSjis(std::string_view sjis) {
    if (sjis.empty())
        return {};
    const int size = static_cast<int>(sjis.size());
    const int length = MultiByteToWideChar(kShiftJis, 0, sjis.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kShiftJis, 0, sjis.data(), size, wide.data(), length);
    return wide;
}

std::string SjisFromWide(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(kShiftJis, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string sjis(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kShiftJis, 0, wide.data(), size, sjis.data(), length, nullptr, nullptr);
    return sjis;
}

std::optional<std::string> ExactSjisFromWide(std::wstring_view wide) {
    std::string sjis = SjisFromWide(wide);
    if (WideFromSjis(sjis) != wide)
        return std::nullopt;
    return sjis;
}

std::string SystemErrorText(unsigned long error) {
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

}  // namespace haripon
