#include "platform/core/wide_text_win.h"

#include <windows.h>

#include <iterator>

#include "platform/core/reasons.h"

namespace haripon {

namespace {
constexpr UINT kShiftJis = 932;
}

namespace {

std::wstring WideFrom(UINT codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideTo(UINT codePage, std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring WideFromSjis(std::string_view sjis) {
    return WideFrom(kShiftJis, sjis);
}

std::string SjisFromWide(std::wstring_view wide) {
    return WideTo(kShiftJis, wide);
}

std::string Utf8FromWide(std::wstring_view wide) {
    return WideTo(CP_UTF8, wide);
}

std::wstring WideFromUtf8(std::string_view utf8) {
    return WideFrom(CP_UTF8, utf8);
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
        return Reasons().SystemError + " " + std::to_string(error);
    return Utf8FromWide(text);
}

}  // namespace haripon
