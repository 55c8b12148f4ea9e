// Bad input the program meets in the field, in the test's own process: a hand-edited
// settings file, a theme from anywhere, the clock at the ends of the years it knows. Each
// case: no crash, a message where the user must know, the memos shown and kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/profile.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/picture.h"
#include "program_fixture.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

std::string Junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

constexpr char kMemo[] = "[POST]\r\nPOST2MEMO=still here\r\nPOST2YEAR=-1\r\n";

class Faults : public ProgramFixture {
  protected:
    // Starts on the settings, shows the first display and ends the program as the tray
    // menu does; the memo of slot 2 must have been shown and be in the file at the end.
    void RunKeepingTheMemo(const std::string& settings) {
        Start(settings);
        app_.FirstDisplay();
        EXPECT_TRUE(app_.MemoWindow(1).Visible());
        EXPECT_EQ(SlotTable[1].Memo, "still here");
        SendMessageW(app_.Title().Handle(), WM_CLOSE, 0, 0);
        EXPECT_NE(Settings().find("POST2MEMO=still here\r\n"), std::string::npos);
    }
    // Every picture of the theme the program starts on replaced by `bytes`.
    void SpoilPictures(const std::string& bytes) {
        for (const auto& entry : fs::recursive_directory_iterator(folder_.File("DATA"))) {
            if (entry.path().extension() == ".bmp" && entry.path().filename() != "face8.bmp")
                std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << bytes;
        }
    }
};

TEST_F(Faults, SettingsFilesOfAnyKind) {
    const std::string longMemo(2047, 'm');
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"binary junk before", Junk(4000, 1) + "\r\n" + kMemo},
        {"ten megabytes", kMemo + ("[JUNK]\r\n" + Junk(10 << 20, 2))},
        {"positions far off",
         std::string(kMemo) + "POST2LEFT=-2147483648\r\nPOST2TOP=2147483647\r\n"},
        {"a theme folder that is not there",
         "[FOLDER]\r\nDATFOLDER=DATA\\gone\\\r\n" + std::string(kMemo)},
        {"a theme folder outside", "[FOLDER]\r\nDATFOLDER=..\\..\\..\\\r\n" + std::string(kMemo)},
        {"saved as Unicode",
         [] {
             const std::wstring wide = WideFromSjis(kMemo);
             return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()),
                                             wide.size() * sizeof(wchar_t));
         }()},
        {"a theme folder of 3,000 characters",
         "[FOLDER]\r\nDATFOLDER=DATA\\" + std::string(3000, 'x') + "\\\r\n" + kMemo},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        folder_.Write("timpsd.ini", test.file);
        Application app(folder_.Path() / "");
        app.CreateWindows();
        app.FirstDisplay();
        EXPECT_TRUE(app.MemoWindow(1).Visible());
        EXPECT_EQ(SlotTable[1].Memo, "still here");
        SendMessageW(app.Title().Handle(), WM_CLOSE, 0, 0);
        EXPECT_NE(Settings().find("POST2MEMO=still here\r\n"), std::string::npos);
    }

    // A memo as long as a value may be is kept whole; the strip shows its first 60 bytes.
    folder_.Write("timpsd.ini", "[POST]\r\nPOST4MEMO=" + longMemo + "x\r\nPOST4YEAR=-1\r\n");
    Start("");
    EXPECT_EQ(SlotTable[3].Memo, longMemo);
    app_.FirstDisplay();
    RightClickMemo(3, kRewriteCaption);
    EXPECT_EQ(editor().PstEdt.Text(), longMemo);
    SendMessageW(app_.Title().Handle(), WM_CLOSE, 0, 0);
    EXPECT_NE(Settings().find("POST4MEMO=" + longMemo + "\r\n"), std::string::npos);
}

// Pictures of every kind of bad: each is reported, nothing crashes, the memo shows.
TEST_F(Faults, EveryPictureOfTheThemeSpoilt) {
    const std::string good = folder_.Read("DATA/Standard/title.bmp");
    std::string absurd = good;
    absurd.replace(18, 8, std::string("\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F", 8));  // 2^31-1 square
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"cut short", good.substr(0, 1000)},
        {"empty", ""},
        {"of absurd size", absurd},
        {"not a bitmap", "[CG]\r\nTITLE=x\r\n"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        SpoilPictures(test.bytes);
        boxes_.clear();
        folder_.Write("timpsd.ini", kMemo);
        Application app(folder_.Path() / "");
        app.CreateWindows();
        app.FirstDisplay();
        EXPECT_GT(boxes_.size(), 10u);
        EXPECT_TRUE(app.MemoWindow(1).Visible());
        SendMessageW(app.Title().Handle(), WM_CLOSE, 0, 0);
        EXPECT_NE(Settings().find("POST2MEMO=still here\r\n"), std::string::npos);
    }
    fs::remove_all(folder_.File("DATA"));
    RunKeepingTheMemo(kMemo);
}

// A background the theme lacks is reported once, at its window's creation, and no opening
// of the window waits for a report: the editor opens on the posted slot as it should.
TEST_F(Faults, AMissingBackgroundIsReportedOnceAtCreation) {
    const char* const backgrounds[] = {"main.bmp", "msgwnd.bmp", "theme.bmp"};
    for (const char* picture : backgrounds)
        fs::remove(folder_.File("DATA/Standard/" + std::string(picture)));
    const auto reportsOf = [&](const char* picture) {
        return std::count_if(boxes_.begin(), boxes_.end(), [&](const BoxSeen& box) {
            return box.text.find(picture) != std::string::npos;
        });
    };
    Start("[POST]\r\nPOST1MEMO=held\r\nPOST1YEAR=2000\r\n");
    for (const char* picture : backgrounds)
        EXPECT_EQ(reportsOf(picture), 1) << picture;
    app_.FirstDisplay();
    for (int opening = 0; opening < 2; ++opening) {
        SendMessageW(app_.Title().Handle(), TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                     WM_LBUTTONDBLCLK);
        EXPECT_TRUE(editor().EdtBtn.Visible() && !editor().SetBtn.Visible());
        Click(editor(), editor().CloseBtn);
    }
    LoopProbe probe;
    probe.Post([&] { Click(app_.Reminder(), app_.Reminder().MsgWndExtBtn); });
    SendMessageW(editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0);
    probe.Post([&] { app_.Chooser().Close(); });
    ChooseTrayItem(kChangeThemeCaption);
    EXPECT_TRUE(probe.Done());
    EXPECT_EQ(SlotTable[0].Memo, "");
    for (const char* picture : backgrounds)
        EXPECT_EQ(reportsOf(picture), 1) << picture;
}

// A picture missing from the theme: every operation that shows, resizes or empties a memo
// reports it once and goes on. The strip shows on its colour with its label, the slot and
// the file follow, the editor's buttons too.
TEST_F(Faults, AMissingPictureNeverStopsAMemo) {
    constexpr char kPosted[] =
        "[POST]\r\nPOST1MEMO=WWWWWW\r\nPOST1YEAR=2000\r\nPOST1TIMEFLAG=1\r\n";
    const auto post = [](Application& app) {
        app.Editor().SetMemoText("WWWWWW");
        Click(app.Editor(), app.Editor().SetBtn);
    };
    const auto menu = [this](Application& app, const char* item) {
        choose_ = item;
        SendMessageW(app.MemoWindow(0).Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 10));
    };
    const struct {
        const char* missing;
        const char* settings;
        std::function<void(Application&)> act;  // after the first display; none: that itself
        int width;                              // of strip 1 afterwards; 0: hidden, the slot empty
        const char* saved;
    } cases[] = {
        {"big1.bmp", "", post, 413, "POST1MEMO=WWWWWW\r\n"},
        {"bg1_1.bmp", "", post, 413, "POST1MEMO=WWWWWW\r\n"},
        {"big1.bmp", kPosted, nullptr, 413, nullptr},
        {"big1.bmp", "[POST]\r\nPOST1MEMO=WWWWWW\r\nPOST1YEAR=-1\r\n",
         [&](Application& app) {
             menu(app, kRewriteCaption);
             Click(app.Editor(), app.Editor().EdtBtn);
         },
         413, "POST1YEAR=-1\r\nPOST1MONTH=-1"},
        {"sml1.bmp", kPosted, [&](Application& app) { menu(app, kSmallerCaption); }, 213, nullptr},
        {"bg1_0.bmp", kPosted, [&](Application& app) { menu(app, kPeelOffCaption); }, 0, nullptr},
        {"bg1_0.bmp", kPosted,
         [&](Application& app) {
             menu(app, kRewriteCaption);
             Click(app.Editor(), app.Editor().DltBtn);
         },
         0, nullptr},
        {"bg1_0.bmp", kPosted,
         [](Application& app) {
             LoopProbe probe;
             probe.Post([&] { Click(app.Reminder(), app.Reminder().MsgWndExtBtn); });
             SendMessageW(app.Editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0);
         },
         0, "POST1MEMO=\r\n"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.missing) + " " + test.settings);
        ProgramFolder folder;
        folder.Write("timpsd.ini", test.settings);
        fs::remove(folder.File("DATA/Standard/" + std::string(test.missing)));
        Application app(folder.Path() / "");
        app.CreateWindows();
        if (test.act)
            app.FirstDisplay();
        boxes_.clear();
        if (test.act) {
            test.act(app);
        } else {
            app.FirstDisplay();
        }
        EXPECT_EQ(std::count_if(boxes_.begin(), boxes_.end(),
                                [&](const BoxSeen& box) {
                                    return box.text.find(test.missing) != std::string::npos;
                                }),
                  1);
        TMemoWindow& strip = app.MemoWindow(0);
        EXPECT_EQ(strip.Visible(), test.width > 0);
        EXPECT_EQ(SlotTable[0].Memo.empty(), test.width == 0);
        EXPECT_EQ(SlotTable[0].HasMemo == 0 && SlotTable[0].TimeFlag == 0, test.width == 0);
        if (test.width == 0 || test.saved) {  // the editor's buttons follow the slot
            EXPECT_EQ(app.Editor().SetBtn.Visible(), test.width == 0);
        }
        const auto color = static_cast<COLORREF>(SlotTable[0].SlotTheme.MemoColor);
        if (test.width > 0) {
            const Bitmap shown = strip.RenderClient();
            EXPECT_EQ(shown.Width(), test.width);
            EXPECT_EQ(shown.PixelAt(test.width - 5, 11), color);
            int ink = 0;
            for (int x = 24; x < 80; ++x)
                ink += shown.PixelAt(x, 10) != color;
            EXPECT_GT(ink, 5);  // the label
        }
        if (test.saved) {
            EXPECT_NE(folder.Read("timpsd.ini").find(test.saved), std::string::npos);
        }
    }

    // The face of windows 2 to 7 keeps its clicks without its picture as well.
    fs::remove(folder_.File("DATA/Standard/face2.bmp"));
    Start("[POST]\r\nPOST2MEMO=second\r\n");
    app_.FirstDisplay();
    menusOpened_ = 0;
    SendMessageW(app_.MemoWindow(1).Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(menusOpened_, 0);
}

// Themes come from strangers: a device, a file of any size, a picture claiming any sides, a
// picture missing among others. Each costs a report naming the file, never the program.
TEST_F(Faults, AHostileThemeCostsAReport) {
    std::string claim = folder_.Read("DATA/Standard/main.bmp").substr(0, 54);
    claim.replace(18, 8, std::string("\0\x20\0\0\0\x20\0\0", 8));          // 8192 x 8192
    claim.replace(28, 10, std::string("\x08\0\x01\0\0\0\x02\0\0\0", 10));  // RLE8, 2 bytes
    claim.replace(10, 4, std::string("\x36\x04\0\0", 4));
    claim += std::string(1024, '\0') + std::string("\0\x01", 2);  // a palette; the end at once
    folder_.Write("DATA/Standard/claim.bmp", claim);
    folder_.Write("DATA/Standard/huge.bmp", std::string(65 << 20, 'B'));
    const struct {
        const char* key;
        std::string value;
        const char* report;  // null: none
    } cases[] = {
        {"TITLE", "NUL", kNotAFileOnDiskReason},  // the null device, in every folder
        {"MAINFRM", "DATA\\Standard\\huge.bmp", kTooLargeToReadReason},
        {"MAINFRM", "DATA\\Standard\\claim.bmp", nullptr},
        {"CHR1FACE", "DATA\\Standard\\gone.bmp", "gone.bmp"},
    };
    const std::string theme = folder_.Read("face8.bmp");
    for (const auto& test : cases) {
        SCOPED_TRACE(test.value);
        ProfileText edited(theme);
        edited.WriteString("CG", test.key, test.value);
        folder_.Write("face8.bmp", edited.Bytes());
        boxes_.clear();
        Application app(folder_.Path() / "");
        app.CreateWindows();
        app.Editor().ShowEditor();  // the background is read as the editor is first shown
        ASSERT_EQ(boxes_.size(), test.report ? 1u : 0u);
        if (test.report) {
            EXPECT_NE(boxes_[0].text.find(test.report), std::string::npos) << boxes_[0].text;
        }
        TTPostForm& editor = app.Editor();
        EXPECT_LE(editor.MainImg.Picture().Width(), TTPostForm::kWidth);
        EXPECT_LE(editor.MainImg.Picture().Height(), TTPostForm::kHeight);
        EXPECT_TRUE(ShowsGlyphImage(editor, editor.ExitBtn,
                                    LoadBitmapFile(ThemePath(ThemeSettings.ExitButton.File)), 0));
        EXPECT_EQ(editor.PstBtn[0].Bounds().left, SlotTable[0].SlotTheme.FaceLeft);
        EXPECT_EQ(editor.DltBtn.Width(), ThemeSettings.DeleteButton.Width);
    }
}

// A folder name that code page 932 cannot hold shows whole in an error report.
TEST_F(Faults, AnErrorTextKeepsEveryCharacter) {
    const fs::path folder = folder_.Path().parent_path() /
                            (L"J\u00FCrgen \u00C5sa " + std::to_wstring(GetCurrentProcessId()));
    fs::copy(folder_.Path(), folder, fs::copy_options::recursive);
    fs::remove(folder / L"DATA" / L"Standard" / L"title.bmp");
    {
        Application app(folder / "");
        app.CreateWindows();
    }
    fs::remove_all(folder);
    ASSERT_FALSE(boxes_.empty());
    EXPECT_NE(boxes_[0].text.find(u8"J\u00FCrgen \u00C5sa"), std::string::npos) << boxes_[0].text;
}

TEST_F(Faults, AThemeDescriptionOfJunk) {
    folder_.Write("face8.bmp", Junk(20000, 3));
    RunKeepingTheMemo(kMemo);
    EXPECT_FALSE(boxes_.empty());
}

// The clock at the ends of the years a reminder may be set for: the year list offers no
// year the check refuses, and a memo set for now falls due at once.
TEST_F(Faults, TheClockAtTheEndsOfTheYears) {
    for (const LocalTime& now : {Moment(2999, 12, 31, 23, 59), Moment(2000, 1, 1, 0, 0)}) {
        SCOPED_TRACE(now.Year);
        const ScopedFixedClock clock(now);
        Application app(folder_.Path() / "");
        app.CreateWindows();
        app.Reminder().SetKeyDelay(0);
        ComboBox& years = app.Editor().YearCmb;
        EXPECT_EQ(years.Item(0), std::to_string(now.Year));
        EXPECT_EQ(years.Item(years.ItemCount() - 1), now.Year == 2999 ? "3000" : "2010");
        app.FirstDisplay();
        Click(app.Editor(), app.Editor().PstBtn[4]);
        app.Editor().SetMemoText("now");
        app.Editor().TimSetCBox.SetChecked(true);
        app.Editor().ShowNowInBoxes();
        Click(app.Editor(), app.Editor().SetBtn);
        EXPECT_EQ(SlotTable[4].Time.Year, now.Year);
        LoopProbe probe;
        probe.Post([&] { PressKeyAsUser(app.Reminder().Handle(), VK_ESCAPE); });
        SendMessageW(app.Editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0);
        EXPECT_TRUE(probe.Done());
        EXPECT_EQ(SlotTable[4].Memo, "");
        SendMessageW(app.Title().Handle(), WM_CLOSE, 0, 0);
    }
}

}  // namespace
}  // namespace haripon
