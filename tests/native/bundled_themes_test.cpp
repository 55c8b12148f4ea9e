// The themes that ship with the program: every key present, every picture there and of the
// size its window expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdint>
#include <fstream>
#include <map>

#include "platform/core/profile.h"
#include "reminder/reminder_layout.h"
#include "theme/theme_keys.h"
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

class BundledTheme : public testing::TestWithParam<const char*> {
  protected:
    fs::path ThemePath(const std::string& name) const {
        std::string file = std::string(GetParam()) + name;
        for (char& c : file) {
            if (c == '\\')
                c = '/';
        }
        return fs::path(HARIPON_DATA_DIR) / file;
    }
    PictureSize Size(const std::string& name) const { return BitmapSize(ThemePath(name)); }
};

// Every key a theme must give, as the key table lists them, and each character's lines as
// its count says.
TEST_P(BundledTheme, EveryKeyIsPresent) {
    std::ifstream face(ThemePath("face8.bmp"), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(face), {});
    ASSERT_FALSE(bytes.empty());
    const ProfileText profile(bytes);
    for (const NamedKey& key : ThemeKeys()) {
        if (key.Key->Need != KeyNeed::Required || key.Key->Section == std::string(kLineSection))
            continue;
        EXPECT_TRUE(profile.Find(key.Key->Section, key.Name).has_value()) << key.Name;
    }
    for (int n = 1; n <= kSlotCount; ++n) {
        const auto count = profile.Find(kLineSection, LineCountKey(n));
        ASSERT_TRUE(count.has_value()) << n;
        for (int m = 1; m <= kLinesPerCharacter; ++m) {
            const std::string key = LineKey(n, m);
            EXPECT_EQ(profile.Find(kLineSection, key).has_value(), m <= ParseProfileInt(*count, 0))
                << key;
        }
    }
}

TEST_P(BundledTheme, EveryPictureHasItsSize) {
    const ThemeFile file(ThemePath("face8.bmp").string());
    const LoadedTheme theme = ReadTheme(file);
    const ThemeRecord& settings = theme.Values.Settings;
    const std::map<std::string, PictureSize> windows = {
        {file.String("TITLE"), {kTitleSize.Width, kTitleSize.Height}},
        {settings.MainFrameFile, {kEditorSize.Width, kEditorSize.Height}},
        {file.String("MSGWND"), {kReminderSize.Width, kReminderSize.Height}},
        {file.String("THEME"), {kChooserSize.Width, kChooserSize.Height}},
        {settings.CloseButton.File, {80, 20}},
        {settings.ExitButton.File, {80, 20}},
        {settings.PostButton.File, {92, 22}},
        {settings.RenewButtonFile, {92, 22}},
        {settings.DeleteButton.File, {92, 22}},
        {file.String("MSGEXTBTN"), {84, 21}},
        {file.String("THEMECSLBTN"),
         {4 * file.Integer("THEMECSLBTN_XSIZ"), file.Integer("THEMECSLBTN_YSIZ")}},
        {file.String("THEMERETBTN"),
         {4 * file.Integer("THEMERETBTN_XSIZ"), file.Integer("THEMERETBTN_YSIZ")}},
    };
    for (const auto& [name, size] : windows)
        EXPECT_EQ(Size(name), size) << name;

    for (const SlotTheme& character : theme.Values.Slots) {
        EXPECT_EQ(Size(character.FaceFile),
                  (PictureSize{4 * character.FaceWidth, character.FaceHeight}));
        EXPECT_EQ(Size(character.SmallFaceFile),
                  (PictureSize{kMemoFaceSize.Width, kMemoFaceSize.Height}));
        const PictureSize timer = Size(character.TimerCharFile);
        EXPECT_TRUE(timer.width > 0 && timer.width <= kCharacterDesign.Width && timer.height > 0 &&
                    timer.height <= kCharacterDesign.Height)
            << character.TimerCharFile << " " << timer;
        EXPECT_EQ(Size(character.SlotBackFile0),
                  (PictureSize{character.SlotBackWidth, character.SlotBackHeight}));
        EXPECT_EQ(Size(character.SlotBackFile1),
                  (PictureSize{character.SlotBackWidth, character.SlotBackHeight}));
        EXPECT_EQ(Size(character.LargeMemoFile),
                  (PictureSize{kLargeMemoSize.Width, kLargeMemoSize.Height}));
        EXPECT_EQ(Size(character.SmallMemoFile),
                  (PictureSize{kSmallMemoSize.Width, kSmallMemoSize.Height}));
        EXPECT_GE(character.LineCount, 3);
        EXPECT_NE(character.MemoColor, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, BundledTheme,
                         testing::Values("", "DATA\\Standard\\", "DATA\\Yozora\\"));

}  // namespace
}  // namespace haripon
