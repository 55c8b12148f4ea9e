// The byte layout of a Windows bitmap file, shared by the check of its headers and the
// decoding of its pixels; not for use outside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace haripon::bitmap_format {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

inline std::uint32_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

inline std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

}  // namespace haripon::bitmap_format
