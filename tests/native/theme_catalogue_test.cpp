#include "theme/theme_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "model/slot_table.h"
#include "temp_folder.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;

bool AsciiCaseless(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

class ThemeCatalogue : public testing::Test {
  protected:
    void SetUp() override {
        SetAppFolder(folder_.Path().string() + "/");
        SetThemeCount(-1);
    }
    void MakeFolders(std::initializer_list<std::string> names) const {
        fs::create_directories(folder_.Path() / "DATA");
        for (const std::string& name : names)
            fs::create_directory(folder_.Path() / "DATA" / name);
    }
    std::string Catalogue() const { return folder_.Read("DATA/CG.LST"); }

    testing_support::TempFolder folder_{"catalogue"};
};

TEST_F(ThemeCatalogue, FoldersSortedWithoutRegardToCase) {
    MakeFolders({"Sakura", "apple", "Bear", ".hidden"});
    folder_.Write("DATA/readme.txt", "not a theme");
    folder_.Write("DATA/Bear/face8.bmp", "[CG]\r\n");  // not looked at
    ASSERT_TRUE(BuildThemeCatalogue(AsciiCaseless));
    EXPECT_EQ(Catalogue(), ".hidden\r\napple\r\nBear\r\nSakura\r\n");
    EXPECT_EQ(ThemeCount, 4);
    EXPECT_EQ(ReadThemeCatalogue(),
              (std::vector<std::string>{".hidden", "apple", "Bear", "Sakura"}));
}

TEST_F(ThemeCatalogue, JapaneseNamesInShiftJisAndNamesItCannotHoldLeftOut) {
    const std::string theme = "\x83\x5C\x83\x74\x83\x67";  // ソフト: 0x5C as a trail byte
    MakeFolders({theme, "\xFF\xFE", "plain"});
    ASSERT_TRUE(BuildThemeCatalogue(AsciiCaseless));
    EXPECT_EQ(Catalogue(), "plain\r\n" + theme + "\r\n");
    EXPECT_EQ(ThemeCount, 2);
}

TEST_F(ThemeCatalogue, AnEmptyDataFolderGivesAnEmptyCatalogue) {
    MakeFolders({});
    folder_.Write("DATA/CG.LST", "old\r\nlines\r\n");
    ASSERT_TRUE(BuildThemeCatalogue(AsciiCaseless));
    EXPECT_EQ(Catalogue(), "");
    EXPECT_EQ(ThemeCount, 0);
    EXPECT_TRUE(ReadThemeCatalogue().empty());
}

TEST_F(ThemeCatalogue, NoDataFolderOrAShortCatalogueIsAnError) {
    EXPECT_THROW(BuildThemeCatalogue(AsciiCaseless), std::runtime_error);
    EXPECT_EQ(ThemeCount, 0);
    EXPECT_THROW(ReadThemeCatalogue(), std::runtime_error);

    MakeFolders({"a", "b"});
    ASSERT_TRUE(BuildThemeCatalogue(AsciiCaseless));
    folder_.Write("DATA/CG.LST", "a\r\n");  // changed after the start
    EXPECT_THROW(ReadThemeCatalogue(), std::runtime_error);
    folder_.Write("DATA/CG.LST", "a\nb\rc\r\n");
    EXPECT_EQ(ReadThemeCatalogue(), (std::vector<std::string>{"a", "b"}));
}

TEST(ActiveThemeName, FromTheSixthCharacterToTheNextBackslash) {
    const std::string longName(300, 'x');
    const struct {
        std::string folder;
        std::string name;
    } cases[] = {
        {"DATA\\Bear\\", "Bear"},
        {"DATA\\Bear\\sub\\", "Bear"},
        {"DATA\\Bear", "Bear"},
        {"DATA\\", ""},
        {"", ""},
        {"DATA\\\x83\x5C\x83\x74\x83\x67\\", "\x83\x5C\x83\x74\x83\x67"},  // ソフト
        {"DATA\\" + longName, std::string(255, 'x')},
        {"DATA\\" + std::string(254, 'x') + "\x82\xA0", std::string(254, 'x')},
    };
    for (const auto& test : cases)
        EXPECT_EQ(ActiveThemeName(test.folder), test.name) << test.folder;
}

}  // namespace
}  // namespace haripon
