#include "model/memo_ids.h"

#include <random>


namespace haripon {

namespace {

std::string token;
std::uint32_t count = 0;

}  // namespace

std::string Hex8(std::uint32_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

std::string NewMemoId() {
    if (token.empty())
        token = Hex8(std::random_device()());
    return token + "." + std::to_string(++count);
}

void SetMemoIdToken(std::string newToken) {
    token = std::move(newToken);
    count = 0;
}

}  // namespace haripon
