#include "memo/text_fit.h"

namespace haripon {

namespace {

struct Costs {
    int single;
    int pair;
    // A character of `cost` fits a row that has `used` units of `budget`.
    bool (*fits)(int used, int cost, int budget);
};

TextRows Fit(std::string_view text, int budget, const Costs& costs) {
    TextRows rows;
    int row = 0;
    int used = 0;
    std::size_t at = 0;
    while (at < text.size() && text[at] != '\0') {
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[at]));
        if (pair && (at + 1 >= text.size() || text[at + 1] == '\0'))
            break;
        const int cost = pair ? costs.pair : costs.single;
        if (costs.fits(used, cost, budget)) {
            rows.Row[row].append(text.substr(at, pair ? 2 : 1));
            at += pair ? 2 : 1;
            used += cost;
        } else {
            if (++row == 3)
                break;
            used = 0;
        }
    }
    return rows;
}

}  // namespace

TextRows FitTextToBytes(std::string_view text, int budget) {
    static constexpr Costs kBytes{1, 2, [](int used, int cost, int budget) {
                                      return cost == 2 ? used < budget - 1 : used < budget;
                                  }};
    return Fit(text, budget, kBytes);
}

TextRows FitTextToWidth(std::string_view text, int budget) {
    static constexpr Costs kWidth{
        kSingleByteUnits, kDoubleByteUnits, [](int used, int cost, int budget) {
            return cost == kDoubleByteUnits ? used < budget - cost : used < budget;
        }};
    return Fit(text, budget, kWidth);
}

}  // namespace haripon
