// Windows private-profile (INI) text, read and edited in memory.
//
// Reading follows the system's rules: section and key names match without regard to case;
// the first matching section is the only one searched and the first matching key in it wins;
// blanks around names and values are dropped; a value enclosed in one pair of matching
// quotes loses them; a line without '=' is no entry; values are cut to 2047 bytes.
// Writing replaces an existing entry in place, adds a new key after the last entry of its
// section and a new section at the end of the text; every line ends in CR LF.
// Text is Shift-JIS; 0x5B, 0x5C and 0x5D as trail bytes never break a name or a value. A
// text in UTF-16 with a byte-order mark is taken in Shift-JIS.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace haripon {

inline constexpr std::size_t kProfileValueLimit = 2047;

// Integer rule of the profile readers: a whole signed decimal number, or hexadecimal after
// "$", "0x" or "0X" (a value of at most 32 bits, taken as a 32-bit pattern, with as many
// leading zeros as it has). Anything else gives the fallback.
std::int32_t ParseProfileInt(std::string_view text, std::int32_t fallback);

// The value to write so that a reader following the rules above gets `value` back: a value
// with blanks at either end, or enclosed in a matching pair of quotes, goes inside one
// extra pair of double quotes.
std::string QuoteForProfile(std::string_view value);

// A file that is no text (a broken disk sector, a bad synchronisation, another program's
// file): NUL bytes, unless it is UTF-16 with its byte-order mark.
bool LooksBinary(std::string_view bytes);

class ProfileText {
  public:
    ProfileText() = default;
    explicit ProfileText(std::string_view bytes);

    // The stored value after the reading rules, or nothing when the entry is absent.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key) const;

    // Line breaks inside a value would start new entries; they are written as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

    std::string Bytes() const;

  private:
    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace haripon
