// The bytes of a settings file written fresh with all the slots empty.
#pragma once

#include <string>

#include "model/slot_table.h"
#include "model/texts.h"

namespace haripon::testing_support {

inline std::string FreshSettingsLayout() {
    std::string text = "[POST]\r\n";
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::string p = "POST" + std::to_string(n);
        for (const char* key :
             {"YEAR", "MONTH", "DAY", "TIML", "TIMM", "TOP", "LEFT", "TIMEFLAG"}) {
            text += p + key + "=0\r\n";
        }
        text += p + "MEMO=\r\n";
    }
    return text + "[VERSION]\r\nVERSION=" + kVersionText + "\r\n";
}

}  // namespace haripon::testing_support
