#include "memo/text_fit.h"

#include <gtest/gtest.h>

#include <memory>

namespace haripon {
namespace {

const std::string kA = "\x82\xA0";  // あ

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST(LeadBytes, ExactlyTheTwoRanges) {
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(FitTextToBytes, RowsEndAtTheBudgetWithoutSplittingCharacters) {
    // 29 single bytes, then a double-byte character: it begins row 1.
    TextRows rows = FitTextToBytes(std::string(29, 'x') + kA, 30);
    EXPECT_EQ(rows.Row[0], std::string(29, 'x'));
    EXPECT_EQ(rows.Row[1], kA);
    EXPECT_EQ(rows.Row[2], "");

    rows = FitTextToBytes(Repeat(kA, 30), 60);
    EXPECT_EQ(rows.Row[0], Repeat(kA, 30));
    EXPECT_EQ(rows.Row[1], "");
    rows = FitTextToBytes(Repeat(kA, 30), 30);
    EXPECT_EQ(rows.Row[0], Repeat(kA, 15));
    EXPECT_EQ(rows.Row[1], Repeat(kA, 15));

    rows = FitTextToBytes(std::string(30, 'x') + "y", 30);
    EXPECT_EQ(rows.Row[0], std::string(30, 'x'));
    EXPECT_EQ(rows.Row[1], "y");
}

TEST(FitTextToBytes, MoreThanThreeRowsAndBudgetsTooSmall) {
    const TextRows rows = FitTextToBytes(
        std::string(10, 'a') + std::string(10, 'b') + std::string(10, 'c') + "dddd", 10);
    EXPECT_EQ(rows.Row[0], std::string(10, 'a'));
    EXPECT_EQ(rows.Row[1], std::string(10, 'b'));
    EXPECT_EQ(rows.Row[2], std::string(10, 'c'));

    for (const TextRows& empty : {FitTextToBytes(kA, 1), FitTextToBytes("abc", 0)}) {
        for (const std::string& row : empty.Row)
            EXPECT_EQ(row, "");
    }
    EXPECT_EQ(FitTextToBytes("", 30).Row[0], "");
}

TEST(FitTextToBytes, WhichBytesPair) {
    // 0x80 leads a pair; 0xED and 0xFA do not, so their next byte is looked at on its own.
    EXPECT_EQ(FitTextToBytes("\x80\x41\x42", 2).Row[0], "\x80\x41");
    EXPECT_EQ(FitTextToBytes("\x80\x41\x42", 2).Row[1], "\x42");
    EXPECT_EQ(FitTextToBytes("\xED\x82\xA0", 2).Row[0], "\xED");
    EXPECT_EQ(FitTextToBytes("\xED\x82\xA0", 2).Row[1], "\x82\xA0");
    EXPECT_EQ(FitTextToBytes("\xFA\x40", 1).Row[1], "\x40");
    // Half-width katakana are single bytes.
    EXPECT_EQ(FitTextToBytes(std::string(31, '\xB1'), 30).Row[0], std::string(30, '\xB1'));
}

TEST(FitTextToWidth, SingleAndDoubleByteCosts) {
    TextRows rows = FitTextToWidth(std::string(29, 'x'), 168);
    EXPECT_EQ(rows.Row[0], std::string(28, 'x'));
    EXPECT_EQ(rows.Row[1], "x");

    rows = FitTextToWidth(Repeat(kA, 14), 168);
    EXPECT_EQ(rows.Row[0], Repeat(kA, 13));
    EXPECT_EQ(rows.Row[1], kA);

    rows = FitTextToWidth(std::string(27, 'x') + kA, 168);
    EXPECT_EQ(rows.Row[0], std::string(27, 'x'));
    EXPECT_EQ(rows.Row[1], kA);

    rows = FitTextToWidth(std::string(28, '\xC3'), 168);  // half-width katakana: 6 units
    EXPECT_EQ(rows.Row[0], std::string(28, '\xC3'));
}

// A lead byte at the very end: the fitters stop there. The text lives in a buffer of its
// exact size so that AddressSanitizer sees any read past it.
TEST(Fitters, ALastLeadByteIsNeverReadPast) {
    for (const char* text : {"ab\x82", "\x82", "\xE0"}) {
        const std::size_t size = std::char_traits<char>::length(text);
        const std::unique_ptr<char[]> exact(new char[size]);
        std::copy(text, text + size, exact.get());
        const std::string_view view(exact.get(), size);
        EXPECT_EQ(FitTextToBytes(view, 30).Row[0], std::string(text, size - 1));
        EXPECT_EQ(FitTextToWidth(view, 168).Row[0], std::string(text, size - 1));
    }
    EXPECT_EQ(FitTextToBytes(std::string("a\x82\0b", 4), 30).Row[0], "a");
}

}  // namespace
}  // namespace haripon
