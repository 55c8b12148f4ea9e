// ActiveThemeName on any theme folder text: the name after "DATA\" up to the next
// backslash, at most 255 bytes, never ending inside a double-byte character.
#include <string>

#include "fuzz_support.h"
#include "platform/core/sjis.h"
#include "theme/theme_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    const std::string_view folder = fuzz::Bytes(data, size);
    const std::string name = ActiveThemeName(folder);
    if (folder.size() <= 5) {
        FUZZ_CHECK(name.empty());
        return 0;
    }
    const std::string_view after = folder.substr(5);
    FUZZ_CHECK(name.size() <= 255);
    FUZZ_CHECK(after.substr(0, name.size()) == name);

    // Walk the characters: a backslash only as a trail byte, and the name ends on a
    // character boundary.
    std::size_t at = 0;
    while (at < name.size()) {
        const auto byte = static_cast<unsigned char>(name[at]);
        FUZZ_CHECK(byte != '\\');
        at += (IsCp932LeadByte(byte) && at + 1 < after.size()) ? 2 : 1;
    }
    FUZZ_CHECK(at == name.size());

    // It stops only at the end, at a backslash, or where the next character would pass 255.
    if (at < after.size()) {
        const bool pair =
            IsCp932LeadByte(static_cast<unsigned char>(after[at])) && at + 1 < after.size();
        FUZZ_CHECK(after[at] == '\\' || at + (pair ? 2 : 1) > 255);
    }
    return 0;
}
