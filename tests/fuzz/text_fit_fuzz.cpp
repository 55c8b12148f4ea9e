// Both text fitters on any text and budget: the rows are the text's characters in order,
// greedily filled, never past the budget, and never split a double-byte character.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "memo/text_fit.h"

namespace haripon {
namespace {

struct Rule {
    int single;
    int pair;
    // A pair must end strictly before the budget in width units, by the budget in bytes.
    int pairSlack;
};

constexpr Rule kBytes{1, 2, 1};
constexpr Rule kWidth{6, 12, 12};

bool Fits(const Rule& rule, int used, bool pair, int budget) {
    return pair ? used < budget - rule.pairSlack : used < budget;
}

// The text as the fitters see it: up to the first NUL byte.
std::string_view Visible(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

void Check(std::string_view text, int budget, const Rule& rule, const TextRows& rows) {
    const std::string_view visible = Visible(text);
    std::size_t at = 0;  // where the next row's characters come from
    for (int r = 0; r < 3; ++r) {
        const std::string& row = rows.Row[r];
        FUZZ_CHECK(visible.substr(at, row.size()) == row);
        int used = 0;
        std::size_t i = 0;
        while (i < row.size()) {
            const bool pair = IsLeadByte(static_cast<unsigned char>(row[i]));
            FUZZ_CHECK(!pair || i + 1 < row.size());  // no lone lead byte at a row's end
            FUZZ_CHECK(Fits(rule, used, pair, budget));
            used += pair ? rule.pair : rule.single;
            i += pair ? 2 : 1;
        }
        FUZZ_CHECK(i == row.size());
        if (budget % rule.single == 0)
            FUZZ_CHECK(used <= std::max(budget, 0));
        at += row.size();

        // The row ended because the text did, because its next character was a lead byte
        // with nothing after it, or because that character would not fit.
        if (at < visible.size()) {
            const bool pair = IsLeadByte(static_cast<unsigned char>(visible[at]));
            const bool lone = pair && at + 1 == visible.size();
            FUZZ_CHECK(lone || !Fits(rule, used, pair, budget));
        }
    }
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    if (size < 2)
        return 0;
    // Two bytes of budget (a signed number), then the text, right up to the end of the
    // fuzzer's buffer so that ASan sees any read past it.
    const auto budget = static_cast<std::int16_t>(data[0] | data[1] << 8);
    const std::string_view text = fuzz::Bytes(data + 2, size - 2);
    for (const int b : {static_cast<int>(budget), 30, 60}) {
        Check(text, b, kBytes, FitTextToBytes(text, b));
    }
    for (const int b : {static_cast<int>(budget), 168}) {
        Check(text, b, kWidth, FitTextToWidth(text, b));
    }
    return 0;
}
