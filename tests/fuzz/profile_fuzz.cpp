// The profile reader never fails on any bytes, saving without a change saves the same, a
// section name ends at its own bracket whatever trail bytes follow, and a value written
// (quoted as the writers quote it) reads back as written without changing other entries.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "platform/core/profile.h"
#include "platform/core/sjis.h"

namespace haripon {
namespace {

// Names of the program's files in other cases and with blanks, and double-byte names whose
// trail bytes are 0x5B, 0x5C and 0x5D.
const std::vector<std::string> kSections = {
    "CG",       "MSG",     "COLOR", "POST", "FOLDER",   "VERSION",
    "cg",       "Msg",     " POST", "A B",  "\x83\x5B", "\x83\x5C\x83\x74\x83\x67",
    "\x83\x5D", "\x95\x5C"};
const std::vector<std::string> kKeys = {
    "CHR1FACE", "CHRMSGCNT1", "CHRMSG1-1", "PSTCOL1", "MSGWNDCOL", "DATFOLDER",       "VERSION",
    "K1",       "chr1face",   " K2 ",      "X_XPOS",  "\x83\x5C",  "\x83\x5D\x83\x5B"};

// A section or key name: one of the lists above, or letters, digits and double-byte
// characters taken from the input (possibly none).
std::string Name(FuzzedDataProvider& input, const std::vector<std::string>& known) {
    if (input.ConsumeBool())
        return known[input.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    static constexpr char kSingles[] = "ABCXYZabcxyz0189_-.";
    std::string name;
    const int length = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < length; ++i) {
        if (input.ConsumeBool()) {
            name += kSingles[input.ConsumeIntegralInRange<std::size_t>(0, sizeof kSingles - 2)];
            continue;
        }
        auto lead = input.ConsumeIntegralInRange<unsigned>(0x81, 0xBC);
        if (lead > 0x9F)
            lead += 0xE0 - 0xA0;  // 0xE0..0xFC
        // Trail bytes 0x5B..0x5D, the brackets and the backslash, as often as all others.
        auto trail = input.ConsumeBool() ? input.ConsumeIntegralInRange<unsigned>(0x5B, 0x5D)
                                         : input.ConsumeIntegralInRange<unsigned>(0x40, 0xFB);
        if (trail >= 0x7F)
            ++trail;  // 0x80..0xFC
        name += static_cast<char>(lead);
        name += static_cast<char>(trail);
    }
    return name;
}

// ASCII letters folded; used only to leave out names a write may have touched.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::string Trimmed(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(name.substr(first, name.find_last_not_of(' ') - first + 1));
}

// What the reader gives back of a written value: at most kProfileValueLimit bytes, cut
// before a double-byte character that would not fit whole.
std::string ReadBack(const std::string& value) {
    std::size_t end = 0;
    while (end < value.size()) {
        const bool pair =
            IsCp932LeadByte(static_cast<unsigned char>(value[end])) && end + 1 < value.size();
        const std::size_t width = pair ? 2 : 1;
        if (end + width > kProfileValueLimit)
            break;
        end += width;
    }
    return value.substr(0, end);
}

// The pairs looked up after a change: each section with two of the keys, and every key of
// the section written and every section of the key written. (All pairs would make each run
// some hundred lookups, each a walk through the whole text.)
std::vector<std::pair<std::string, std::string>> Lookups(std::string_view section,
                                                         std::string_view key) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        pairs.emplace_back(kSections[i], kKeys[i % kKeys.size()]);
        pairs.emplace_back(kSections[i], kKeys[(i * 5 + 3) % kKeys.size()]);
        pairs.emplace_back(kSections[i], key);
    }
    for (const std::string& other : kKeys)
        pairs.emplace_back(section, other);
    return pairs;
}

// The pairs read the same from both texts, apart from the pair named.
void CheckSameReads(const ProfileText& a, const ProfileText& b, std::string_view section,
                    std::string_view key) {
    for (const auto& [s, k] : Lookups(section, key)) {
        if (SameIgnoringCase(Trimmed(s), Trimmed(section)) &&
            SameIgnoringCase(Trimmed(k), Trimmed(key))) {
            continue;
        }
        FUZZ_CHECK(a.Find(s, k) == b.Find(s, k));
    }
}

std::string Hex(std::uint32_t value, const char* format) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void CheckIntegerText(std::int32_t n) {
    const std::int32_t fallback = n ^ 1;
    const auto pattern = static_cast<std::uint32_t>(n);
    FUZZ_CHECK(ParseProfileInt(std::to_string(n), fallback) == n);
    FUZZ_CHECK(ParseProfileInt(Hex(pattern, "0x%X"), fallback) == n);
    FUZZ_CHECK(ParseProfileInt(Hex(pattern, "$%08x"), fallback) == n);
    if (n >= 0)
        FUZZ_CHECK(ParseProfileInt("+" + std::to_string(n), fallback) == n);
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    FuzzedDataProvider input(data, size);
    const std::string section = Name(input, kSections);
    const std::string key = Name(input, kKeys);
    const auto number = input.ConsumeIntegral<std::int32_t>();
    const std::string junk = Name(input, kKeys);

    // Any bytes read, values within the limit; saved unchanged, they save the same.
    const ProfileText read(fuzz::Bytes(data, size));
    FUZZ_CHECK(ProfileText(read.Bytes()).Bytes() == read.Bytes());
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        if (const auto value = read.Find(kSections[i], kKeys[i % kKeys.size()])) {
            FUZZ_CHECK(value->size() <= kProfileValueLimit);
            ParseProfileInt(*value, 0);
        }
    }

    // Text after a section's closing bracket is no part of its name, whatever its trail
    // bytes.
    FUZZ_CHECK(
        ProfileText("[" + section + "]" + junk + "\r\n" + key + "=v\r\n").Find(section, key) ==
        "v");

    // A one-line value written into the rest of the bytes reads back, from the text and from
    // its saved bytes, and no other entry changes.
    std::string value = input.ConsumeRandomLengthString(3 * kProfileValueLimit);
    for (char& c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    const std::string file = input.ConsumeRemainingBytesAsString();
    const ProfileText before(file);
    ProfileText written(file);
    written.WriteString(section, key, QuoteForProfile(value));
    const std::string expected = ReadBack(value);
    if (written.Find(section, key) != expected) {
        std::fprintf(stderr, "section [%s] key [%s] value [%s]\n", fuzz::Escaped(section).c_str(),
                     fuzz::Escaped(key).c_str(), fuzz::Escaped(value).c_str());
    }
    FUZZ_CHECK(written.Find(section, key) == expected);
    FUZZ_CHECK(ProfileText(written.Bytes()).Find(section, key) == expected);
    CheckSameReads(before, written, section, key);
    ParseProfileInt(value, 0);

    ProfileText numbers(file);
    numbers.WriteInteger(section, key, number);
    FUZZ_CHECK(numbers.ReadInteger(section, key) == number);
    FUZZ_CHECK(ProfileText(numbers.Bytes()).ReadInteger(section, key) == number);
    CheckIntegerText(number);
    return 0;
}
