#include "platform/core/app_path.h"

#include <windows.h>

#include <string>

#include "platform/core/wide_text_win.h"

namespace haripon {

FileName FileIn(const FileName& folder, std::string_view relative) {
    return folder + WideFromSjis(relative);
}

FileName ExecutableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return name.substr(0, name.find_last_of(L"\\/") + 1);
}

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? SjisFromWide({name, length}) : std::string();
}

}  // namespace haripon
