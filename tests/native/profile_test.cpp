#include "platform/core/profile.h"

#include <gtest/gtest.h>

#include <random>

namespace haripon {
namespace {

std::optional<std::string> Lookup(std::string_view file, std::string_view section,
                                  std::string_view key) {
    return ProfileText(file).Find(section, key);
}

TEST(ProfileRead, NamesMatchWithoutCaseAndIgnoreBlanksAroundThem) {
    const char file[] = "[Post]\r\n  post1Memo  =  hello world  \r\n\tTop\t=\t7\r\n";
    EXPECT_EQ(Lookup(file, "POST", "POST1MEMO"), "hello world");
    EXPECT_EQ(Lookup(file, "post", "top"), "7");
    EXPECT_EQ(Lookup(file, "POST", "POST1"), std::nullopt);
    EXPECT_EQ(Lookup(file, "POS", "TOP"), std::nullopt);
}

TEST(ProfileRead, OnePairOfMatchingQuotesIsRemoved) {
    const char file[] =
        "[S]\n"
        "a=\"q\"\nb='q'\nc=  \"q\"  \nd=\"q'\ne=\"q\nf=q\"\ng=\"\"\nh=\"\"q\"\"\ni=\"\ni2='\n";
    EXPECT_EQ(Lookup(file, "S", "a"), "q");
    EXPECT_EQ(Lookup(file, "S", "b"), "q");
    EXPECT_EQ(Lookup(file, "S", "c"), "q");
    EXPECT_EQ(Lookup(file, "S", "d"), "\"q'");
    EXPECT_EQ(Lookup(file, "S", "e"), "\"q");
    EXPECT_EQ(Lookup(file, "S", "f"), "q\"");
    EXPECT_EQ(Lookup(file, "S", "g"), "");
    EXPECT_EQ(Lookup(file, "S", "h"), "\"q\"");
    EXPECT_EQ(Lookup(file, "S", "i"), "\"");
    EXPECT_EQ(Lookup(file, "S", "i2"), "'");
}

TEST(ProfileRead, ValuesKeepEverythingAfterTheFirstEquals) {
    const char file[] = "[S]\nk=a=b ; not a comment\nempty=\nnoequals\n;k2=commented\n";
    EXPECT_EQ(Lookup(file, "S", "k"), "a=b ; not a comment");
    EXPECT_EQ(Lookup(file, "S", "empty"), "");
    EXPECT_EQ(Lookup(file, "S", "noequals"), std::nullopt);
    EXPECT_EQ(Lookup(file, "S", "k2"), std::nullopt);
}

TEST(ProfileRead, FirstDuplicateAndFirstSectionWin) {
    const char file[] = "[S]\nk=first\nk=second\n[T]\nx=1\n[s]\nk=third\nonly=later\n";
    EXPECT_EQ(Lookup(file, "S", "k"), "first");
    // Only the first section of a name is searched.
    EXPECT_EQ(Lookup(file, "S", "only"), std::nullopt);
    EXPECT_EQ(Lookup(file, "T", "x"), "1");
}

TEST(ProfileRead, SectionHeaderForms) {
    const char file[] = "[S5]junk\na=5\n[S4\nb=4\n[ S3 ]\nc=3\n";
    EXPECT_EQ(Lookup(file, "S5", "a"), "5");
    EXPECT_EQ(Lookup(file, "s3", "c"), "3");
    // "[S4" is no header: its lines stay in S5.
    EXPECT_EQ(Lookup(file, "S5", "b"), "4");
    EXPECT_EQ(Lookup(file, "S4", "b"), std::nullopt);
}

TEST(ProfileRead, LineEndsAndFileEnds) {
    EXPECT_EQ(Lookup("[S]\r\nk=v", "S", "k"), "v");
    EXPECT_EQ(Lookup("[S]\nk=v\n", "S", "k"), "v");
    EXPECT_EQ(Lookup("[S]\rk=v\rj=w", "S", "j"), "w");
    EXPECT_EQ(Lookup("\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k"), "v");
    EXPECT_EQ(Lookup("", "S", "k"), std::nullopt);
    EXPECT_EQ(Lookup("k=v\n", "S", "k"), std::nullopt);
}

TEST(ProfileRead, ShiftJisTrailBytesThatLookLikeSyntax) {
    // ソ = 83 5C, ー = 81 5B, ] as trail: 83 5D (ゾ).
    const std::string file =
        "[\x83\x5C\x83\x5D]\r\n"
        "\x83\x5C=\x81\x5B\x83\x5D\r\n"
        "[S]\r\nmemo=\x83\x5C\x83\x74\x83\x67\r\nend=\x83\x5D\r\n";
    EXPECT_EQ(Lookup(file, "\x83\x5C\x83\x5D", "\x83\x5C"), "\x81\x5B\x83\x5D");
    EXPECT_EQ(Lookup(file, "S", "memo"), "\x83\x5C\x83\x74\x83\x67");
    EXPECT_EQ(Lookup(file, "S", "end"), "\x83\x5D");
}

TEST(ProfileRead, LongValuesAreCutWithoutSplittingACharacter) {
    const std::string ascii(3000, 'a');
    EXPECT_EQ(Lookup("[S]\nk=" + ascii + "\n", "S", "k"), std::string(2047, 'a'));

    std::string japanese = "a";
    for (int i = 0; i < 1500; ++i)
        japanese += "\x82\xA0";  // あ
    const auto cut = Lookup("[S]\nk=" + japanese + "\n", "S", "k");
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->size(), 2047u);
    EXPECT_EQ(*cut, japanese.substr(0, 2047));

    const auto odd = Lookup("[S]\nk=" + japanese.substr(1) + "\n", "S", "k");
    ASSERT_TRUE(odd.has_value());
    EXPECT_EQ(odd->size(), 2046u);  // the lead byte at 2047 would lose its trail byte
}

TEST(ProfileRead, NulBytesEndNamesAndValues) {
    const char raw[] = "[S]\nk\0junk=v\nj=ab\0cd\n";
    const std::string file(raw, sizeof raw - 1);
    EXPECT_EQ(Lookup(file, "S", "k"), "v");
    EXPECT_EQ(Lookup(file, "S", "j"), "ab");
}

TEST(ProfileInt, DecimalAndHexadecimalForms) {
    EXPECT_EQ(ParseProfileInt("42", 0), 42);
    EXPECT_EQ(ParseProfileInt("-1", 0), -1);
    EXPECT_EQ(ParseProfileInt("+8", 0), 8);
    EXPECT_EQ(ParseProfileInt("$FF", 0), 255);
    EXPECT_EQ(ParseProfileInt("0xff", 0), 255);
    EXPECT_EQ(ParseProfileInt("0XFF", 0), 255);
    EXPECT_EQ(ParseProfileInt("$FFFFFFFF", 0), -1);
    EXPECT_EQ(ParseProfileInt("$0000000FF", 0), 255);  // leading zeros are not a ninth digit
    EXPECT_EQ(ParseProfileInt("0x00000000FF", 0), 255);
    EXPECT_EQ(ParseProfileInt("2147483647", 0), 2147483647);
    EXPECT_EQ(ParseProfileInt("-2147483648", 0), INT32_MIN);
}

TEST(ProfileInt, AnythingElseGivesTheFallback) {
    for (const char* text : {"", "red", "12x", " 12", "0x", "$", "$1G", "--1", "2147483648",
                             "-2147483649", "$123456789", "0x0100000000", "1.5", "\x82\x50"}) {
        EXPECT_EQ(ParseProfileInt(text, -7), -7) << text;
    }
}

TEST(ProfileWrite, FreshTextGetsSectionsInOrderWithCrLf) {
    ProfileText profile;
    profile.WriteInteger("POST", "K1", 0);
    profile.WriteInteger("POST", "K2", -1);
    profile.WriteString("POST", "K3", "");
    profile.WriteString("VERSION", "VERSION", "x");
    EXPECT_EQ(profile.Bytes(), "[POST]\r\nK1=0\r\nK2=-1\r\nK3=\r\n[VERSION]\r\nVERSION=x\r\n");
}

TEST(ProfileWrite, ExistingFileIsEditedInPlace) {
    ProfileText profile(
        "; my notes\n[FOLDER]\nDATFOLDER=DATA\\a\\\n\n[post]\n  Post1Memo = old \n"
        "custom=kept\n\n[VERSION]\nVERSION=0\n");
    profile.WriteString("POST", "POST1MEMO", "new");
    profile.WriteString("POST", "POST2MEMO", "added");
    profile.WriteString("EXTRA", "K", "v");
    EXPECT_EQ(profile.Bytes(),
              "; my notes\r\n[FOLDER]\r\nDATFOLDER=DATA\\a\\\r\n\r\n[post]\r\nPost1Memo=new\r\n"
              "custom=kept\r\nPOST2MEMO=added\r\n\r\n[VERSION]\r\nVERSION=0\r\n[EXTRA]\r\nK=v\r\n");
}

TEST(ProfileWrite, LineBreaksInAValueCannotStartNewEntries) {
    ProfileText profile;
    profile.WriteString("S", "k", "a\r\n[S]\r\nk2=b");
    const ProfileText reread(profile.Bytes());
    EXPECT_EQ(reread.Find("S", "k2"), std::nullopt);
    EXPECT_EQ(reread.Find("S", "k"), "a  [S]  k2=b");
}

TEST(ProfileWrite, QuotedValuesReadBackUnchanged) {
    const std::string values[] = {
        " lead", "trail ",  "\ttab\t", "\"both\"", "'single'",          "\"",       "\"\"",
        "'",     "\"half'", "plain",   "",         "\x83\x5C\x81\x5B ", "a \"b\" c"};
    for (const std::string& value : values) {
        ProfileText profile;
        profile.WriteString("S", "k", QuoteForProfile(value));
        EXPECT_EQ(ProfileText(profile.Bytes()).Find("S", "k"), value) << value;
    }
    EXPECT_EQ(QuoteForProfile("plain"), "plain");
    EXPECT_EQ(QuoteForProfile("\"a'"), "\"a'");
}

// Whatever the file holds, reading never fails and a value written can be read back.
TEST(ProfileWrite, WritesSurviveArbitraryFiles) {
    std::mt19937 random(12345);
    const std::string alphabet = "[]=;\"' \t\r\n\0\x1A\x81\x5C\x5D\xEFSKk";
    for (int round = 0; round < 2000; ++round) {
        std::string file(random() % 120, ' ');
        for (char& c : file) {
            c = (random() % 3 == 0) ? static_cast<char>(random() % 256)
                                    : alphabet[random() % alphabet.size()];
        }
        ProfileText profile(file);
        (void)profile.Find("S", "k");
        std::string value(random() % 12, 'v');
        for (char& c : value)
            c = static_cast<char>(' ' + random() % 95);
        profile.WriteString("S", "K", QuoteForProfile(value));
        EXPECT_EQ(ProfileText(profile.Bytes()).Find("s", "k"), value)
            << "file: " << testing::PrintToString(file);
    }
}

}  // namespace
}  // namespace haripon
