#include "platform/win_text.h"

#include <windows.h>

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

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

}  // namespace haripon
