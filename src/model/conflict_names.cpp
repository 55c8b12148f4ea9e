#include "model/conflict_names.h"

#include <string>

namespace haripon {

namespace {

bool StartsWith(std::string_view text, std::string_view start) {
    if (text.size() < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(start[i]))
            return false;
    }
    return true;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && StartsWith(text.substr(text.size() - end.size()), end);
}

}  // namespace

bool IsConflictCopyName(std::string_view name, std::string_view stem) {
    constexpr std::string_view kIni = ".ini";
    const auto between = [&](const std::string& start, std::string_view end) {
        return name.size() > start.size() + end.size() && StartsWith(name, start) &&
               EndsWith(name, end);
    };
    const std::string base(stem);
    return between(base + "-", kIni) || between(base + " (", ").ini") ||
           between(base + ".sync-conflict-", kIni);
}

}  // namespace haripon
