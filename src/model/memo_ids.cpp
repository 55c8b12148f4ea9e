#include "model/memo_ids.h"

#include <random>

#include "model/slot_table.h"

namespace haripon {

namespace {

std::string token;
std::uint32_t count = 0;

std::string Hex(std::uint32_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

// FNV-1a.
void Mix(std::uint32_t& hash, std::string_view bytes) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 16777619u;
    }
}

}  // namespace

std::string NewMemoId() {
    if (token.empty())
        token = Hex(std::random_device()());
    return token + "." + std::to_string(++count);
}

void SetMemoIdToken(std::string newToken) {
    token = std::move(newToken);
    count = 0;
}

std::string MemoFingerprint(const StoredSlot& memo) {
    std::uint32_t hash = 2166136261u;
    Mix(hash, memo.Memo);
    for (const auto field : kTimeFields)
        Mix(hash, "\t" + std::to_string(memo.Time.*field));
    Mix(hash, "\t" + std::to_string(memo.TimeFlag));
    return Hex(hash);
}

}  // namespace haripon
