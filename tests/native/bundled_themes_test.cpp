// The themes that ship with the program: every key present, every picture there and of the
// size its window expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdint>
#include <fstream>
#include <map>

#include "model/slot_table.h"
#include "platform/core/profile.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;

struct PictureSize {
    int width;
    int height;
    bool operator==(const PictureSize& other) const {
        return width == other.width && height == other.height;
    }
};

std::ostream& operator<<(std::ostream& out, const PictureSize& size) {
    return out << size.width << "x" << size.height;
}

// Width and height from a Windows bitmap file's headers; 0 x 0 when it is none.
PictureSize BitmapSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[26] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || header[0] != 'B' || header[1] != 'M')
        return {0, 0};
    auto int32 = [&](int at) {
        return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                         static_cast<std::uint32_t>(header[at + 3]) << 24);
    };
    return {int32(18), std::abs(int32(22))};
}

std::vector<std::string> AllKeys() {
    std::vector<std::string> keys = {"MAINFRM", "RENEWBTN", "TITLE", "MSGWND", "THEME"};
    auto withGeometry = [&](const std::string& base) {
        for (const char* suffix : {"", "_XPOS", "_YPOS", "_XSIZ", "_YSIZ"})
            keys.push_back(base + suffix);
    };
    for (const char* button :
         {"CLOSESBTN", "EXITBTN", "POSTBTN", "DELBTN", "MSGEXTBTN", "THEMECSLBTN", "THEMERETBTN"}) {
        withGeometry(button);
    }
    for (const char* place : {"MINIFACE", "TIMCHR"}) {
        for (const char* suffix : {"_XPOS", "_YPOS", "_XSIZ", "_YSIZ"})
            keys.push_back(std::string(place) + suffix);
    }
    for (const char* place :
         {"SELMEMO", "MEMOTIT", "INPMEMOMEMO", "INPMEMOCBOX", "INPMEMOSETTIM"}) {
        keys.push_back(std::string(place) + "_XPOS");
        keys.push_back(std::string(place) + "_YPOS");
        keys.push_back(std::string(place) + "COLOR");
    }
    for (int n = 1; n <= 7; ++n) {
        const std::string chr = "CHR" + std::to_string(n);
        const std::string bg = "BGCHR" + std::to_string(n);
        withGeometry(chr + "FACE");
        keys.push_back(chr + "FACE16");
        keys.push_back("TIMERCHR" + std::to_string(n));
        keys.push_back(bg + "_0");
        keys.push_back(bg + "_1");
        for (const char* suffix : {"_XPOS", "_YPOS", "_XSIZ", "_YSIZ"})
            keys.push_back(bg + suffix);
        keys.push_back("PSTBIGCG" + std::to_string(n));
        keys.push_back("PSTSMLCG" + std::to_string(n));
    }
    return keys;
}

class BundledTheme : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        AppFolder = fs::path(HARIPON_DATA_DIR) / "";
        ThemeFolder = GetParam();
        ResetSlots();
    }
    fs::path ThemePath(const std::string& name) const {
        std::string file = ThemeFolder + name;
        for (char& c : file) {
            if (c == '\\')
                c = '/';
        }
        return fs::path(AppFolder) / file;
    }
    PictureSize Size(const std::string& name) const { return BitmapSize(ThemePath(name)); }
};

TEST_P(BundledTheme, EveryKeyIsPresent) {
    std::ifstream face(ThemePath("face8.bmp"), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(face), {});
    ASSERT_FALSE(bytes.empty());
    const ProfileText profile(bytes);
    for (const std::string& key : AllKeys()) {
        EXPECT_TRUE(profile.Find("CG", key).has_value()) << key;
    }
    for (int n = 1; n <= 7; ++n) {
        EXPECT_TRUE(profile.Find("COLOR", "PSTCOL" + std::to_string(n)).has_value()) << n;
        const auto count = profile.Find("MSG", "CHRMSGCNT" + std::to_string(n));
        ASSERT_TRUE(count.has_value()) << n;
        for (int m = 1; m <= 7; ++m) {
            const std::string key = "CHRMSG" + std::to_string(n) + "-" + std::to_string(m);
            EXPECT_EQ(profile.Find("MSG", key).has_value(), m <= ParseProfileInt(*count, 0)) << key;
        }
    }
    EXPECT_TRUE(profile.Find("COLOR", "MSGWNDCOL").has_value());
}

TEST_P(BundledTheme, EveryPictureHasItsSize) {
    LoadTheme();
    const ThemeFile file;
    const std::map<std::string, PictureSize> windows = {
        {file.String("TITLE"), {300, 200}},
        {ThemeSettings.MainFrameFile, {408, 227}},
        {file.String("MSGWND"), {300, 160}},
        {file.String("THEME"), {242, 122}},
        {ThemeSettings.CloseButton.File, {80, 20}},
        {ThemeSettings.ExitButton.File, {80, 20}},
        {ThemeSettings.PostButton.File, {92, 22}},
        {ThemeSettings.RenewButtonFile, {92, 22}},
        {ThemeSettings.DeleteButton.File, {92, 22}},
        {file.String("MSGEXTBTN"), {84, 21}},
        {file.String("THEMECSLBTN"),
         {4 * file.Integer("THEMECSLBTN_XSIZ"), file.Integer("THEMECSLBTN_YSIZ")}},
        {file.String("THEMERETBTN"),
         {4 * file.Integer("THEMERETBTN_XSIZ"), file.Integer("THEMERETBTN_YSIZ")}},
    };
    for (const auto& [name, size] : windows)
        EXPECT_EQ(Size(name), size) << name;

    for (const MemoSlot& slot : SlotTable) {
        const SlotTheme& theme = slot.SlotTheme;
        EXPECT_EQ(Size(theme.FaceFile), (PictureSize{4 * theme.FaceWidth, theme.FaceHeight}));
        EXPECT_EQ(Size(theme.SmallFaceFile), (PictureSize{16, 16}));
        const PictureSize timer = Size(theme.TimerCharFile);
        EXPECT_TRUE(timer.width > 0 && timer.width <= 64 && timer.height > 0 && timer.height <= 128)
            << theme.TimerCharFile << " " << timer;
        EXPECT_EQ(Size(theme.SlotBackFile0),
                  (PictureSize{theme.SlotBackWidth, theme.SlotBackHeight}));
        EXPECT_EQ(Size(theme.SlotBackFile1),
                  (PictureSize{theme.SlotBackWidth, theme.SlotBackHeight}));
        EXPECT_EQ(Size(theme.LargeMemoFile), (PictureSize{413, 22}));
        EXPECT_EQ(Size(theme.SmallMemoFile), (PictureSize{213, 22}));
        EXPECT_GE(theme.LineCount, 3);
        EXPECT_NE(theme.MemoColor, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, BundledTheme,
                         testing::Values("", "DATA\\Standard\\", "DATA\\Yozora\\"));

}  // namespace
}  // namespace haripon
