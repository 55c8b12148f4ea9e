// Inputs the fuzz targets (tests/fuzz) found to be read wrongly, kept as plain tests.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/profile.h"

namespace haripon {
namespace {

const std::string kSo = "\x83\x5D";    // ソ: 0x5D, ']', as its trail byte
const std::string kKe = "\x83\x50";    // ケ
const std::string kOpen = "\x81\x5B";  // ー: 0x5B, '[', as its trail byte

// A section line ends at its last ']' that is a character of its own; a double-byte
// character ending in 0x5D after it, or inside it, neither cuts nor lengthens the name.
TEST(ProfileFindings, SectionNamesEndAtABracketThatIsNoTrailByte) {
    struct Case {
        std::string text;
        std::string section;
    };
    const Case cases[] = {
        {"[CG]" + kSo + "\r\nK=v\r\n", "CG"},
        {"[CG] " + kSo + kOpen + "junk\r\nK=v\r\n", "CG"},
        {"[" + kSo + "]" + kSo + "\r\nK=v\r\n", kSo},
        {"[" + kKe + kSo + "]x]" + kSo + "\r\nK=v\r\n", kKe + kSo + "]x"},
        // The only ']' is a trail byte: no section line, so section A goes on.
        {"[A]\r\n[" + kSo + "\r\nK=v\r\n", "A"},
    };
    for (const Case& c : cases) {
        ProfileText profile(c.text);
        EXPECT_EQ(profile.Find(c.section, "K"), "v") << c.text;
        profile.WriteString(c.section, "K", "w");
        EXPECT_EQ(ProfileText(profile.Bytes()).Find(c.section, "K"), "w") << c.text;
        EXPECT_EQ(profile.Bytes().find("K=v"), std::string::npos) << "replaced in place";
    }
}

}  // namespace
}  // namespace haripon
