// The theme catalogue and the theme chooser, in the test's own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/picture.h"
#include "program_fixture.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

constexpr char kSettings[] =
    "[FOLDER]\r\nDATFOLDER=DATA\\Bear\\\r\n[POST]\r\nPOST2MEMO=kept\r\n[VERSION]\r\nVERSION=x\r\n";

class Chooser : public ProgramFixture {
  protected:
    // Themes apple, Bear (the bundled one under another name) and Sakura besides the two
    // bundled ones.
    void AddThemes() {
        const fs::path data = folder_.Path() / "DATA";
        fs::copy(data / "Standard", data / "Bear", fs::copy_options::recursive);
        fs::create_directory(data / "apple");
        fs::create_directory(data / "Sakura");
    }
    TChgCgFrm& chooser() { return app_.Chooser(); }
    void Choose(const char* name) { chooser().SelDaaCgCmb.SetText(name); }
    void Confirm() { Click(chooser(), chooser().ChgCgOkBtn); }
    // A key typed in the name box, where the dialog shows with the focus.
    void PressKey(WPARAM key) {
        EXPECT_TRUE(HasFocus(chooser().SelDaaCgCmb.Handle()));
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    }
    // Opens the chooser from the tray and runs the actions while it shows.
    void WhileOpen(std::function<void()> actions) {
        probe_.Post(std::move(actions));
        ChooseTrayItem(kChangeThemeCaption);
        EXPECT_TRUE(probe_.Done());
        EXPECT_FALSE(chooser().Visible());
    }

    LoopProbe probe_;
};

TEST_F(Chooser, TheListTheNameAndAWrongName) {
    AddThemes();
    Start(kSettings);
    app_.FirstDisplay();
    EXPECT_EQ(folder_.Read("DATA/CG.LST"), "apple\r\nBear\r\nSakura\r\nStandard\r\nYozora\r\n");
    WhileOpen([&] {
        ComboBox& names = chooser().SelDaaCgCmb;
        ASSERT_EQ(names.ItemCount(), 5);
        EXPECT_EQ(names.Item(0), "apple");
        EXPECT_EQ(names.Item(1), "Bear");
        EXPECT_EQ(names.Item(4), "Yozora");
        EXPECT_EQ(names.Text(), "Bear");
        EXPECT_EQ(names.DropDownCount(), 8);

        // Neither the editor nor a second chooser opens meanwhile.
        SendMessageW(app_.Title().Handle(), TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                     WM_LBUTTONDBLCLK);
        EXPECT_FALSE(editor().Visible());

        Choose("bear");
        Confirm();
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].text, kThemeInvalid);
        EXPECT_EQ(boxes_[0].caption, kVersionText);
        EXPECT_TRUE(HasFocus(names.Handle()));
        EXPECT_EQ(Settings(), kSettings);
        EXPECT_TRUE(chooser().Visible());

        Choose("apple");
        Confirm();
    });
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].text, kThemeFromNextStart);
    EXPECT_EQ(Settings(),
              "[FOLDER]\r\nDATFOLDER=DATA\\apple\\\r\n[POST]\r\nPOST2MEMO=kept\r\n"
              "[VERSION]\r\nVERSION=x\r\n");
    EXPECT_EQ(ThemeFolder, "DATA\\Bear\\");  // the running program keeps its theme
}

TEST_F(Chooser, CancelAndAFileThatCannotBeWrittenChangeNothing) {
    Start("[POST]\r\nPOST2MEMO=kept\r\n");
    app_.FirstDisplay();
    WhileOpen([&] {
        EXPECT_EQ(chooser().SelDaaCgCmb.Text(), "");  // no theme chosen yet
        Choose("Yozora");
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(Settings(), "[POST]\r\nPOST2MEMO=kept\r\n");

    fs::permissions(folder_.File("timpsd.ini"), fs::perms::owner_write, fs::perm_options::remove);
    WhileOpen([&] {
        Choose("Yozora");
        Confirm();
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_NE(boxes_[0].text.find("timpsd.ini: "), std::string::npos) << boxes_[0].text;
        EXPECT_NE(boxes_[0].text, kThemeFromNextStart);
        EXPECT_TRUE(chooser().Visible());
        Click(chooser(), chooser().ChgCgCslBtn);
    });
    EXPECT_EQ(Settings(), "[POST]\r\nPOST2MEMO=kept\r\n");
}

// Names as the system gives them: Japanese ones in Shift-JIS, hidden and system folders
// too; a name code page 932 cannot hold is left out.
TEST_F(Chooser, TheCatalogueTakesNamesAsTheSystemGivesThem) {
    const fs::path data = folder_.Path() / "DATA";
    for (const wchar_t* name : {L"\x30BD\x30D5\x30C8", L"Caf\x00E9", L"\xD55C\xAE00", L"Secret"})
        fs::create_directory(data / name);
    SetFileAttributesW((data / L"Secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Start("");
    EXPECT_EQ(folder_.Read("DATA/CG.LST"),
              "Secret\r\nStandard\r\nYozora\r\n\x83\x5C\x83\x74\x83\x67\r\n");  // ソフト
    EXPECT_EQ(ThemeCount, 4);
}

// Without DATA\ the catalogue cannot be made: that is said once, and the stored memos are
// read, shown and kept.
TEST_F(Chooser, AStartWithoutThemesKeepsTheMemos) {
    fs::remove_all(folder_.Path() / "DATA");
    Start("[POST]\r\nPOST2MEMO=kept\r\n");
    int catalogueErrors = 0;
    for (const BoxSeen& box : boxes_)
        catalogueErrors += box.text.find("CG.LST") != std::string::npos;
    EXPECT_EQ(catalogueErrors, 1);
    EXPECT_EQ(SlotTable[1].Memo, "kept");
    app_.FirstDisplay();
    EXPECT_TRUE(app_.MemoWindow(1).Visible());
    SendMessageW(app_.Title().Handle(), WM_CLOSE, 0, 0);
    EXPECT_NE(Settings().find("POST2MEMO=kept\r\n"), std::string::npos);
}

// The theme chosen is every window's from the next start on.
TEST_F(Chooser, TheNextStartShowsTheChosenTheme) {
    Start("[POST]\r\nPOST1MEMO=first\r\n");
    app_.FirstDisplay();
    WhileOpen([&] {
        Choose("Yozora");
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(boxes_.size() == 1 && boxes_[0].text == kThemeFromNextStart);

    Application next(folder_.Path() / "");
    next.CreateWindows();
    const auto yozora = [&](const char* name) {
        return LoadBitmapFile(folder_.File(std::string("DATA/Yozora/") + name));
    };
    EXPECT_TRUE(SamePixels(next.Title().RenderClient(), yozora("title.bmp")));  // until shown
    next.FirstDisplay();
    EXPECT_EQ(ThemeFolder, "DATA\\Yozora\\");
    // The backgrounds are read as their windows are first shown.
    next.Editor().ShowEditor();
    probe_.Post([&] { next.Reminder().Close(); });
    probe_.Post([&] { next.Chooser().Close(); });
    next.Reminder().ShowReminder();
    next.Chooser().ShowChooser();
    EXPECT_TRUE(SamePixels(next.Editor().MainImg.Picture(), yozora("main.bmp")));
    EXPECT_TRUE(SamePixels(next.Editor().PstBtnImg[0].Picture(), yozora("bg1_1.bmp")));
    const Bitmap strip = next.MemoWindow(0).RenderClient();
    const Bitmap background = yozora("big1.bmp");
    for (const int x : {30, 200, 400})  // below the memo's text
        EXPECT_EQ(strip.PixelAt(x, 20), background.PixelAt(x, 20)) << x;
    EXPECT_TRUE(SamePixels(next.Reminder().MsgMainImg.Picture(), yozora("msgwnd.bmp")));
    EXPECT_TRUE(SamePixels(next.Chooser().ChgCgImg.Picture(), yozora("theme.bmp")));
    EXPECT_EQ(boxes_.size(), 1u);  // nothing missing
}

}  // namespace
}  // namespace haripon
