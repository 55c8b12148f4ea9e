// Bad input the program meets in the field, in the test's own process: a hand-edited
// settings file, a theme from anywhere, the clock at the ends of the years it knows. Each
// case: no crash, a message where the user must know, the memos shown and kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/wide_text_win.h"
#include "program_fixture.h"

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

TEST_F(Faults, AThemeDescriptionOfJunk) {
    folder_.Write("face8.bmp", Junk(20000, 3));
    RunKeepingTheMemo(kMemo);
    EXPECT_FALSE(boxes_.empty());
}

// The clock at the ends of the years a reminder may be set for: the year list offers no
// year the check refuses, and a memo set for now falls due at once.
TEST_F(Faults, TheClockAtTheEndsOfTheYears) {
    for (const SYSTEMTIME& now : {Moment(2999, 12, 31, 23, 59), Moment(2000, 1, 1, 0, 0)}) {
        SCOPED_TRACE(now.wYear);
        const ScopedFixedClock clock(now);
        Application app(folder_.Path() / "");
        app.CreateWindows();
        app.Reminder().SetKeyDelay(0);
        ComboBox& years = app.Editor().YearCmb;
        EXPECT_EQ(years.Item(0), std::to_string(now.wYear));
        EXPECT_EQ(years.Item(years.ItemCount() - 1), now.wYear == 2999 ? "3000" : "2010");
        app.FirstDisplay();
        Click(app.Editor(), app.Editor().PstBtn[4]);
        app.Editor().SetMemoText("now");
        app.Editor().TimSetCBox.SetChecked(true);
        app.Editor().ShowNowInBoxes();
        Click(app.Editor(), app.Editor().SetBtn);
        EXPECT_EQ(SlotTable[4].Year, now.wYear);
        LoopProbe probe;
        probe.Post([&] { PostMessageW(app.Reminder().Handle(), WM_KEYDOWN, VK_ESCAPE, 1); });
        SendMessageW(app.Editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0);
        EXPECT_TRUE(probe.Done());
        EXPECT_EQ(SlotTable[4].Memo, "");
        SendMessageW(app.Title().Handle(), WM_CLOSE, 0, 0);
    }
}

}  // namespace
}  // namespace haripon
