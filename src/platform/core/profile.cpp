#include "platform/core/profile.h"

#include <limits>
#include <string>

#include "platform/core/sjis.h"
#include "platform/core/unicode.h"

namespace haripon {

namespace {

// Blanks as the profile readers see them, including the old end-of-file mark.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

// Names and values are C strings to the system readers: a NUL byte ends them.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Case-insensitive for ASCII letters; a double-byte character compares byte for byte.
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp932CharSize(a, i) == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

struct Line {
    enum class Kind { Nothing, Section, Entry };
    Kind kind = Kind::Nothing;
    std::string_view name;
    std::optional<std::string_view> value;  // absent for a line without '='
};

// The last ']' of a line that is a character of its own: the trail byte of a double-byte
// character may be 0x5D.
std::size_t ClosingBracket(std::string_view text) {
    std::size_t close = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += Cp932CharSize(text, i)) {
        if (text[i] == ']')
            close = i;
    }
    return close;
}

Line Classify(std::string_view text, bool firstLine) {
    if (firstLine && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    text = TrimLeft(text);
    if (text.empty())
        return {};
    if (text.front() == '[') {
        const std::size_t close = ClosingBracket(text);
        if (close != std::string_view::npos) {
            return {Line::Kind::Section, Trim(CutAtNul(text.substr(1, close - 1))), std::nullopt};
        }
    }
    text = TrimRight(text);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {Line::Kind::Entry, CutAtNul(text), std::nullopt};
    return {Line::Kind::Entry, CutAtNul(TrimRight(text.substr(0, equals))),
            CutAtNul(TrimLeft(text.substr(equals + 1)))};
}

// Lines end at LF; a text without any LF left is split at CR instead.
std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            end = bytes.find('\r');
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes);
            break;
        }
        std::string_view line = bytes.substr(0, end);
        if (bytes[end] == '\n' && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::string UnquoteValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kProfileValueLimit) {
        std::size_t cut = 0;
        while (cut < kProfileValueLimit) {
            const bool pair = IsCp932LeadByte(static_cast<unsigned char>(value[cut]));
            if (pair && cut + 1 >= kProfileValueLimit)
                break;
            cut += pair ? 2 : 1;
        }
        value = value.substr(0, cut);
    }
    return std::string(value);
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c <= '9')
        return c - '0';
    return (FoldAscii(c) - 'A') + 10;
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view text, std::int32_t fallback) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    if (!text.empty() && (text.front() == '$' || (text.size() > 2 && text[0] == '0' &&
                                                  (text[1] == 'x' || text[1] == 'X')))) {
        text.remove_prefix(text.front() == '$' ? 1 : 2);
        if (text.empty())
            return fallback;
        // Leading zeros are digits like any other; only a value beyond 32 bits is refused.
        for (const char c : text) {
            if (!IsHexDigit(c))
                return fallback;
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(HexValue(c));
            if (magnitude > 0xFFFFFFFFull)
                return fallback;
        }
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        const auto value = static_cast<std::int32_t>(pattern);
        return negative ? static_cast<std::int32_t>(0u - pattern) : value;
    }
    if (text.empty())
        return fallback;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return fallback;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > 2147483648ull)
            return fallback;
    }
    if (negative)
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return fallback;
    }
    return static_cast<std::int32_t>(magnitude);
}

bool LooksBinary(std::string_view bytes) {
    const bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                             (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
    return !utf16 && bytes.find('\0') != std::string_view::npos;
}

std::string QuoteForProfile(std::string_view value) {
    const bool blankEnds = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!blankEnds && !quoted)
        return std::string(value);
    std::string result;
    result.reserve(value.size() + 2);
    result += '"';
    result += value;
    result += '"';
    return result;
}

namespace {

// A file saved as UTF-16 with a byte-order mark (Notepad's "Unicode") is read as the system
// reads it: in Shift-JIS, which is also how it is written back.
std::string FromUnicode(std::string_view bytes) {
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
    }
    return SjisFromUtf16(units);
}

bool IsUnicode(std::string_view bytes) {
    return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes)
    : lines_(IsUnicode(bytes) ? SplitLines(FromUnicode(bytes)) : SplitLines(bytes)) {}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
    section = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line line = Classify(lines_[i], i == 0);
        if (line.kind == Line::Kind::Section && NamesEqual(line.name, section))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileText::FindKey(std::size_t sectionLine,
                                                std::string_view key) const {
    key = Trim(key);
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        const Line line = Classify(lines_[i], false);
        if (line.kind == Line::Kind::Section)
            break;
        if (line.kind == Line::Kind::Entry && NamesEqual(line.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
    const auto sectionLine = FindSection(section);
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = FindKey(*sectionLine, key);
    if (!keyLine)
        return std::nullopt;
    const Line line = Classify(lines_[*keyLine], false);
    if (!line.value)
        return std::nullopt;
    return UnquoteValue(*line.value);
}

std::string ProfileText::ReadString(std::string_view section, std::string_view key) const {
    return Find(section, key).value_or(std::string());
}

std::int32_t ProfileText::ReadInteger(std::string_view section, std::string_view key) const {
    const auto value = Find(section, key);
    return value ? ParseProfileInt(*value, 0) : 0;
}

void ProfileText::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    std::string cleanValue(value);
    for (char& c : cleanValue) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }

    const auto sectionLine = FindSection(section);
    if (!sectionLine) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + cleanValue);
        return;
    }
    if (const auto keyLine = FindKey(*sectionLine, key)) {
        const Line line = Classify(lines_[*keyLine], false);
        lines_[*keyLine] = std::string(line.name) + "=" + cleanValue;
        return;
    }
    std::size_t insertAt = *sectionLine + 1;
    for (std::size_t i = *sectionLine + 1; i < lines_.size(); ++i) {
        const Line line = Classify(lines_[i], false);
        if (line.kind == Line::Kind::Section)
            break;
        if (line.kind == Line::Kind::Entry)
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(key) + "=" + cleanValue);
}

void ProfileText::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

std::string ProfileText::Bytes() const {
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace haripon
