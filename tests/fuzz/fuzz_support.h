// Shared by the fuzz targets: a check that stops the run with a message, and byte helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace haripon::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input as a printable escaped string, for the message of a failed check.
inline std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        }
    }
    return text;
}

}  // namespace haripon::fuzz

// Aborts the run, so that libFuzzer keeps the input, when `condition` is false.
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : ::haripon::fuzz::Fail(#condition, __FILE__, __LINE__))
