#include "platform/win32/window_text.h"

#include "platform/core/wide_text_win.h"

namespace haripon {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wideA = WideFromSjis(a);
    const std::wstring wideB = WideFromSjis(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.c_str(),
                          static_cast<int>(wideA.size()), wideB.c_str(),
                          static_cast<int>(wideB.size())) -
           CSTR_EQUAL;
}

}  // namespace haripon
