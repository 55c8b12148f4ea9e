// The theme author's checker: the bundled themes pass, and each kind of break in a copy of
// one is reported with its file and key.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdint>
#include <functional>
#include <sstream>

#include "model/text_width.h"
#include "platform/core/profile.h"
#include "temp_folder.h"
#include "tools/theme_check.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

struct Report {
    int Status = -1;
    std::vector<std::string> Lines;  // every line but the closing count
    std::string Count;
};

Report Check(const fs::path& folder) {
    std::ostringstream out;
    Report report;
    report.Status = ThemeCheckReport(folder, out);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        report.Lines.push_back(line);
    if (!report.Lines.empty()) {
        report.Count = report.Lines.back();
        report.Lines.pop_back();
    }
    return report;
}

// ---- the bundled themes ---------------------------------------------------------------

class BundledThemeCheck : public testing::TestWithParam<const char*> {};

TEST_P(BundledThemeCheck, HasNoFindings) {
    const fs::path folder = fs::path(HARIPON_DATA_DIR) / GetParam();
    const Report report = Check(folder);
    EXPECT_EQ(report.Status, 0);
    EXPECT_EQ(report.Lines, std::vector<std::string>{});
    EXPECT_EQ(report.Count, folder.string() + ": 0 error(s), 0 warning(s)");
}

// data itself: the description used while no theme is chosen names its pictures as
// DATA\Standard\x.bmp.
INSTANTIATE_TEST_SUITE_P(Themes, BundledThemeCheck,
                         testing::Values("", "DATA/Standard", "DATA/Yozora"));

// ---- broken copies of the Standard theme ----------------------------------------------

// A 24-bit Windows bitmap of the given size, all black.
std::string Bitmap(int width, int height) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string file;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    file += "BM";
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixelBytes, 4);
    file.append(16, '\0');  // resolution and colour counts
    file.append(pixelBytes, '\0');
    return file;
}

// The copy under test: its face8.bmp edited through the program's profile writer, or a
// line taken out, and its pictures replaced.
class ThemeCopy {
  public:
    explicit ThemeCopy(const TempFolder& folder) : folder_(folder) {
        fs::copy(fs::path(HARIPON_DATA_DIR) / "DATA" / "Standard", folder.Path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    void Set(const std::string& section, const std::string& key, const std::string& value) const {
        ProfileText profile(folder_.Read("face8.bmp"));
        profile.WriteString(section, key, value);
        folder_.Write("face8.bmp", profile.Bytes());
    }
    void Remove(const std::string& key) const {
        std::istringstream lines(folder_.Read("face8.bmp"));
        std::string kept;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(key + "=", 0) != 0)
                kept += line + "\n";
        }
        folder_.Write("face8.bmp", kept);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        folder_.Write(name, bytes);
    }
    void Truncate(const std::string& name, std::size_t size) const {
        folder_.Write(name, folder_.Read(name).substr(0, size));
    }
    void Delete(const std::string& name) const { fs::remove(folder_.File(name)); }

  private:
    const TempFolder& folder_;
};

struct Break {
    const char* Name;
    std::function<void(const ThemeCopy&)> Apply;
    std::vector<std::string> Findings;  // as printed, in order
};

void PrintTo(const Break& broken, std::ostream* out) {
    *out << broken.Name;
}

std::string Repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

constexpr char kA[] = "\x82\xA0";  // a double-byte character (hiragana a)

std::vector<Break> Breaks() {
    return {
        {"ThemeFileMissing",
         [](const ThemeCopy& t) { t.Delete("face8.bmp"); },
         {"error: face8.bmp: missing"}},
        {"KeyMissing",
         [](const ThemeCopy& t) { t.Remove("CHR3FACE_XPOS"); },
         {"error: face8.bmp: CHR3FACE_XPOS: missing from section [CG]"}},
        {"KeyInAnotherSection",
         [](const ThemeCopy& t) {
             t.Remove("PSTCOL1");
             t.Set("CG", "PSTCOL1", "255");
         },
         {"error: face8.bmp: PSTCOL1: missing from section [COLOR]; it is in [CG]"}},
        {"NumberWithUnit",
         [](const ThemeCopy& t) { t.Set("CG", "CHR3FACE_XPOS", "12px"); },
         {"error: face8.bmp: CHR3FACE_XPOS: not a number: 12px"}},
        {"HexadecimalNumber", [](const ThemeCopy& t) { t.Set("CG", "CHR3FACE_XPOS", "$0A"); }, {}},
        {"PictureMissing",
         [](const ThemeCopy& t) { t.Delete("chr3.bmp"); },
         {"error: chr3.bmp (CHR3FACE): missing"}},
        {"PictureNameEmpty",
         [](const ThemeCopy& t) { t.Set("CG", "TITLE", ""); },
         {"error: face8.bmp: TITLE: names no picture"}},
        {"PictureNameNotShiftJis",
         [](const ThemeCopy& t) { t.Set("CG", "MSGWND", "msg\x81.bmp"); },
         {"error: face8.bmp: MSGWND: picture name is not valid Shift-JIS at byte 3 (0x81 0x2E)"}},
        {"PictureCutShort",
         [](const ThemeCopy& t) { t.Truncate("title.bmp", 1000); },
         {"error: title.bmp (TITLE): a bitmap the program cannot load (a kind it does not decode, "
          "or cut short)"}},
        {"PictureNotBitmap",
         [](const ThemeCopy& t) { t.Write("main.bmp", "GIF89a"); },
         {"error: main.bmp (MAINFRM): not a Windows bitmap file"}},
        {"GlyphStripNotFourImages",
         [](const ThemeCopy& t) { t.Write("chr3.bmp", Bitmap(101, 33)); },
         {"error: chr3.bmp (CHR3FACE): glyph strip 101 pixels wide is not divisible by four"}},
        {"PictureLargerThanWindow",
         [](const ThemeCopy& t) { t.Write("title.bmp", Bitmap(320, 200)); },
         {"warning: title.bmp (TITLE): picture is 320 x 200, larger than the title window, "
          "300 x 200: the rest is cut off"}},
        {"GlyphLargerThanButton",
         [](const ThemeCopy& t) { t.Write("btn_post.bmp", Bitmap(120, 22)); },
         {"warning: btn_post.bmp (POSTBTN): each of its four images is 30 x 22, larger than its "
          "button (POSTBTN_XSIZ x POSTBTN_YSIZ), 23 x 22: the rest is cut off"}},
        {"SlotGlyphLargerThanButton",
         [](const ThemeCopy& t) { t.Write("chr2.bmp", Bitmap(132, 40)); },
         {"warning: chr2.bmp (CHR2FACE): each of its four images is 33 x 40, larger than slot "
          "button 2 (CHR2FACE_XSIZ x CHR2FACE_YSIZ), 33 x 33: the rest is cut off"}},
        {"SmallFaceLargerThanItsPlaces",
         [](const ThemeCopy& t) { t.Write("face2.bmp", Bitmap(20, 16)); },
         {"warning: face2.bmp (CHR2FACE16): picture is 20 x 16, larger than the face of memo "
          "window 2, 16 x 16: the rest is cut off",
          "warning: face2.bmp (CHR2FACE16): picture is 20 x 16, larger than the editor's selected "
          "face (MINIFACE_XSIZ x MINIFACE_YSIZ), 16 x 16: the rest is cut off"}},
        {"SlotBackLargerThanItsPlace",
         [](const ThemeCopy& t) { t.Set("CG", "BGCHR5_YSIZ", "50"); },
         {"warning: bg5_0.bmp (BGCHR5_0): picture is 49 x 57, larger than the picture behind "
          "slot button 5 (BGCHR5_XSIZ x BGCHR5_YSIZ), 49 x 50: the rest is cut off",
          "warning: bg5_1.bmp (BGCHR5_1): picture is 49 x 57, larger than the picture behind "
          "slot button 5 (BGCHR5_XSIZ x BGCHR5_YSIZ), 49 x 50: the rest is cut off"}},
        {"MemoStripLargerThanWindow",
         [](const ThemeCopy& t) { t.Write("sml4.bmp", Bitmap(214, 22)); },
         {"warning: sml4.bmp (PSTSMLCG4): picture is 214 x 22, larger than memo window 4 at small "
          "display size, 213 x 22: the rest is cut off"}},
        {"TimerCharacterLargerThanItsPlace",
         [](const ThemeCopy& t) { t.Write("timer4.bmp", Bitmap(64, 130)); },
         {"warning: timer4.bmp (TIMERCHR4): picture is 64 x 130, larger than the reminder's "
          "character picture (TIMCHR_XSIZ x TIMCHR_YSIZ), 64 x 128: the rest is cut off"}},
        {"LineCountAboveSeven",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSGCNT1", "9"); },
         {"error: face8.bmp: CHRMSGCNT1: 9 is outside 0..7: the program takes it as 7",
          "error: face8.bmp: CHRMSG1-5: missing from section [MSG] (the program reads lines 1..7)",
          "error: face8.bmp: CHRMSG1-6: missing from section [MSG] (the program reads lines 1..7)",
          "error: face8.bmp: CHRMSG1-7: missing from section [MSG] (the program reads lines "
          "1..7)"}},
        {"LineCountNegative",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSGCNT2", "-1"); },
         {"error: face8.bmp: CHRMSGCNT2: -1 is outside 0..7: the program takes it as 0",
          "warning: face8.bmp: CHRMSG2-1: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG2-2: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG2-3: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG2-4: never shown: the program reads no line"}},
        {"LineCountNotNumber",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSGCNT7", "four"); },
         {"error: face8.bmp: CHRMSGCNT7: not a number: four",
          "warning: face8.bmp: CHRMSG7-1: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG7-2: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG7-3: never shown: the program reads no line",
          "warning: face8.bmp: CHRMSG7-4: never shown: the program reads no line"}},
        {"LineMissing",
         [](const ThemeCopy& t) { t.Remove("CHRMSG2-3"); },
         {"error: face8.bmp: CHRMSG2-3: missing from section [MSG] (the program reads lines "
          "1..4)"}},
        {"LineBeyondCount",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSGCNT6", "1"); },
         {"warning: face8.bmp: CHRMSG6-2: never shown: the program reads line 1 only",
          "warning: face8.bmp: CHRMSG6-3: never shown: the program reads line 1 only",
          "warning: face8.bmp: CHRMSG6-4: never shown: the program reads line 1 only"}},
        {"LineFillsStrip",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSG1-1", Repeat(kA, 14) + "a"); },
         {}},
        {"LineOfDoubleByteCharactersTooLong",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSG1-2", Repeat(kA, 15)); },
         {"warning: face8.bmp: CHRMSG1-2: line is 180 units wide (6 per single-byte, 12 per "
          "double-byte character); the reminder's line strip shows 177 and cuts off the rest"}},
        {"LineOfSingleByteCharactersTooLong",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSG3-4", Repeat("a", 30)); },
         {"warning: face8.bmp: CHRMSG3-4: line is 180 units wide (6 per single-byte, 12 per "
          "double-byte character); the reminder's line strip shows 177 and cuts off the rest"}},
        {"LineNotShiftJis",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSG1-1", "ab\x81\x7F"); },
         {"error: face8.bmp: CHRMSG1-1: not valid Shift-JIS at byte 2 (0x81 0x7F)"}},
        {"LineEndsInLeadByte",
         [](const ThemeCopy& t) { t.Set("MSG", "CHRMSG1-1", std::string(kA) + "\x82"); },
         {"error: face8.bmp: CHRMSG1-1: not valid Shift-JIS at byte 2 (0x82)"}},
        {"UnusedKeyNotNumber",
         [](const ThemeCopy& t) { t.Set("CG", "TIMER_YPOS", "top"); },
         {"warning: face8.bmp: TIMER_YPOS: not a number: top"}},
    };
}

class BrokenTheme : public testing::TestWithParam<Break> {};

TEST_P(BrokenTheme, IsReportedWithFileAndKey) {
    const TempFolder folder("theme-check");
    const ThemeCopy copy(folder);
    GetParam().Apply(copy);
    const Report report = Check(folder.Path());

    EXPECT_EQ(report.Lines, GetParam().Findings);
    int errors = 0;
    for (const std::string& line : GetParam().Findings)
        errors += line.rfind("error: ", 0) == 0;
    EXPECT_EQ(report.Status, errors > 0 ? 1 : 0);
    EXPECT_EQ(report.Count, folder.Path().string() + ": " + std::to_string(errors) + " error(s), " +
                                std::to_string(GetParam().Findings.size() - errors) +
                                " warning(s)");
}

INSTANTIATE_TEST_SUITE_P(Breaks, BrokenTheme, testing::ValuesIn(Breaks()),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- the width rule --------------------------------------------------------------------

TEST(TextWidthUnits, CountsByTheMemoTextRule) {
    const struct {
        std::string Text;
        int Width;
    } cases[] = {
        {"", 0},
        {"abc", 18},
        {std::string(kA) + "a", 18},
        {"\xA1\xDF", 12},                // half-width katakana: single-byte
        {"\xED\x40", 12},                // 0xED is no lead byte of the memo rule
        {std::string("a\0bc", 4), 6},    // a NUL ends the line
        {std::string(kA) + "\x82", 12},  // a lead byte with nothing after it is dropped
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextWidthUnits(c.Text), c.Width) << c.Text;
}

}  // namespace
}  // namespace haripon
