// The reminder check and the reminder window, in the test's own process with the clock
// held at 2026-12-08 09:05.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "model/removed_memos.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/picture.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/notification_state.h"
#include "platform/win32/window_text.h"
#include "accessible_reader.h"
#include "program_fixture.h"
#include "reminder/reminder_draw.h"
#include "reminder/reminder_layout.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using namespace testing_support;

// The windows that came up as alerts, as a screen reader hears of them.
std::vector<HWND> alerts;
void CALLBACK RecordAlert(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    alerts.push_back(window);
}

class Reminders : public ProgramFixture {
  protected:
    TMsgForm& window() { return app_.Reminder(); }
    // One check, as the editor's timer runs it.
    void Check() { SendMessageW(editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0); }
    bool TimerRunning() {
        const bool running = KillTimer(editor().Handle(), TTPostForm::kChkPstTimTimer) != FALSE;
        if (running)
            SetTimer(editor().Handle(), TTPostForm::kChkPstTimTimer, kCheckMilliseconds, nullptr);
        return running;
    }
    bool ShowsCharacterOf(int slot) {
        return SamePixels(window().MsgFrmMainImg.Picture(),
                          LoadBitmapFile(ThemePath(SlotTable[slot].SlotTheme.TimerCharFile)));
    }
    bool SpeaksLine(int slot, std::uint32_t drawn) {
        const SlotTheme& theme = SlotTable[slot].SlotTheme;
        return SamePixels(window().MsgFrmChrStrImg.Picture(),
                          RenderReminderLine(theme.Lines[drawn % theme.LineCount]));
    }
    void PressKey(WPARAM key) { PressKeyAsUser(window().Handle(), key); }

    LoopProbe probe_;
};

// Slots 2 and 5 are due, slot 4 is not; slot 7 falls due while the first window is open.
TEST_F(Reminders, DueMemosAreShownOneAfterTheOtherAndDelivered) {
    Start(
        "[POST]\r\nPOST2MEMO=second\r\nPOST2YEAR=2026\r\nPOST2MONTH=12\r\nPOST2DAY=8\r\n"
        "POST2TIML=9\r\nPOST2TIMM=5\r\nPOST5MEMO=fifth\r\nPOST5YEAR=2026\r\nPOST5MONTH=1\r\n"
        "POST5DAY=1\r\nPOST4MEMO=later\r\nPOST4YEAR=2026\r\nPOST4MONTH=12\r\nPOST4DAY=8\r\n"
        "POST4TIML=9\r\nPOST4TIMM=6\r\n");
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr,
                                               RecordAlert, GetCurrentProcessId(), 0, 0);
    alerts.clear();
    app_.FirstDisplay();
    ASSERT_TRUE(app_.MemoWindow(1).Visible());

    probe_.Post([&] {
        EXPECT_TRUE(window().Visible());
        EXPECT_TRUE(ShowsCharacterOf(1));
        EXPECT_TRUE(SpeaksLine(1, 346));  // the first draw after a start
        EXPECT_TRUE(SamePixels(window().MsgFrmStrImg.Picture(),
                               RenderReminderMemo("second", ThemeSettings.MessageColor)));
        const RECT character = window().MsgFrmMainImg.Bounds();
        EXPECT_EQ(character.left, ThemeSettings.TimerCharLeft);
        EXPECT_EQ(character.bottom - character.top, ThemeSettings.TimerCharHeight);
        const AccessibleView read = ReadAccessible(window());
        const SlotTheme& theme = SlotTable[1].SlotTheme;
        EXPECT_EQ(SjisFromWide(read.Name), theme.Lines[346 % theme.LineCount] + "\x81\x40second");
        EXPECT_EQ(std::make_pair(read.Role, read.State & STATE_SYSTEM_ALERT_HIGH),
                  std::make_pair(long{ROLE_SYSTEM_ALERT}, long{STATE_SYSTEM_ALERT_HIGH}));
        EXPECT_EQ(alerts, std::vector<HWND>{window().Handle()});
        UnhookWinEvent(hook);
        EXPECT_FALSE(TimerRunning());
        EXPECT_EQ(SlotTable[4].Memo, "fifth");
        EXPECT_TRUE(GetWindowLongW(window().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        SetForegroundWindow(app_.Title().Handle());
        ChooseTrayItem(nullptr);  // the tray only brings the reminder to the front
        EXPECT_EQ(menusOpened_, 0);
        EXPECT_EQ(GetForegroundWindow(), window().Handle());
        ChangeSlot(6, [](StoredSlot& slot) {
            slot.Memo = "seventh";
            slot.Time.Year = 2026;
        });
        PressKey(VK_ESCAPE);
    });
    probe_.Post([&] {
        EXPECT_TRUE(ShowsCharacterOf(4));
        EXPECT_TRUE(SpeaksLine(4, 130));
        EXPECT_EQ(SlotTable[1].Memo, "");
        EXPECT_FALSE(app_.MemoWindow(1).Visible());
        EXPECT_NE(Settings().find("POST2MEMO=\r\n"), std::string::npos);
        EXPECT_NE(Settings().find("POST5MEMO=fifth\r\n"), std::string::npos);
        EXPECT_EQ(ReadRemovedMemos().at(0).Memo.Memo, "second");  // delivered, kept
        Click(window(), window().MsgWndExtBtn);
    });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_FALSE(window().Visible());
    EXPECT_FALSE(GetWindowLongW(window().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SlotTable[4].Time, ReminderTime::None());
    EXPECT_EQ(SlotTable[4].TimeFlag, 0);
    EXPECT_EQ(SlotTable[4].HasMemo, 0);
    EXPECT_NE(Settings().find("POST5MEMO=\r\n"), std::string::npos);
    EXPECT_EQ(SlotTable[3].Memo, "later");
    EXPECT_EQ(SlotTable[6].Memo, "seventh");  // left for the next check
    EXPECT_TRUE(TimerRunning());

    probe_.Post([&] {
        EXPECT_TRUE(ShowsCharacterOf(6));
        PressKey(VK_RETURN);
    });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_EQ(SlotTable[6].Memo, "");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Reminders, TheEditorOnTheDueSlotTurnsToAnEmptyPost) {
    Start(
        "[POST]\r\nPOST3MEMO=third\r\nPOST3YEAR=2026\r\nPOST3MONTH=12\r\nPOST3DAY=8\r\n"
        "POST3TIML=9\r\nPOST3TIMM=5\r\nPOST3TIMEFLAG=1\r\n");
    app_.FirstDisplay();
    RightClickMemo(2, kRewriteCaption);
    ASSERT_TRUE(editor().TimSetCBox.Checked());
    ASSERT_TRUE(editor().EdtBtn.Visible());

    probe_.Post([&] { PressKey(VK_ESCAPE); });
    Check();
    EXPECT_EQ(editor().PstEdt.Text(), "");
    EXPECT_FALSE(editor().TimSetCBox.Checked());
    EXPECT_FALSE(editor().YearCmb.Enabled());
    EXPECT_TRUE(editor().SetBtn.Visible());
    EXPECT_FALSE(editor().EdtBtn.Visible());
    EXPECT_EQ(editor().MonthCmb.Text(), "12");  // the current time, not the one stored
    EXPECT_EQ(editor().TimeMCmb.Text(), "5");
}

// A character without lines says nothing; one whose picture is missing is reported, and
// its memo still shown without the picture of the one before, and delivered.
TEST_F(Reminders, NoLinesAndNoPicture) {
    std::string theme = folder_.Read("face8.bmp");
    for (const auto& [key, value] :
         {std::pair<std::string, std::string>{"CHRMSGCNT2=", "0"}, {"TIMERCHR2=", "missing.bmp"}}) {
        const std::size_t at = theme.find(key) + key.size();
        theme.replace(at, theme.find('\r', at) - at, value);
    }
    folder_.Write("face8.bmp", theme);
    Start("[POST]\r\nPOST1MEMO=first\r\nPOST1YEAR=2000\r\nPOST2MEMO=second\r\nPOST2YEAR=2000\r\n");
    app_.FirstDisplay();

    bool reportedOverTheReminder = false;  // the picture's report, once the reminder shows
    whileBoxShows_ = [&] { reportedOverTheReminder = window().Visible(); };
    probe_.Post([&] {
        EXPECT_TRUE(ShowsCharacterOf(0));
        PressKey(VK_RETURN);
    });
    probe_.Post([&] {
        EXPECT_EQ(Pixels(window().MsgFrmChrStrImg.Picture()),
                  std::vector<DWORD>(kLineStrip.Width * kLineStrip.Height, 0xFFFFFF));
        EXPECT_TRUE(window().MsgFrmMainImg.Picture().Empty());
        PressKey(VK_ESCAPE);
    });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_TRUE(reportedOverTheReminder);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find("missing.bmp"), std::string::npos);
    EXPECT_EQ(SlotTable[1].Memo, "");
    EXPECT_NE(Settings().find("POST2MEMO=\r\n"), std::string::npos);
    EXPECT_TRUE(TimerRunning());
}

// A program that ends while a reminder shows (its picture's report over it) keeps the memo.
TEST_F(Reminders, AProgramEndingWhileAReminderShowsKeepsTheMemo) {
    std::string theme = folder_.Read("face8.bmp");
    const std::size_t at = theme.find("TIMERCHR1=") + 10;
    theme.replace(at, theme.find('\r', at) - at, "missing.bmp");
    folder_.Write("face8.bmp", theme);
    Start("[POST]\r\nPOST1MEMO=first\r\nPOST1YEAR=2000\r\nPOST2MEMO=second\r\nPOST2YEAR=2000\r\n");
    app_.FirstDisplay();
    probe_.Post([] {});  // the picture's report comes first
    probe_.Post([&] {
        EXPECT_EQ(boxes_.size(), 1u);
        SendMessageW(app_.Title().Handle(), WM_CLOSE, 0, 0);  // the program ends
    });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_EQ(SlotTable[0].Memo, "first");
    EXPECT_EQ(SlotTable[1].Memo, "second");
    EXPECT_NE(Settings().find("POST1MEMO=first\r\n"), std::string::npos);
    EXPECT_NE(Settings().find("POST2MEMO=second\r\n"), std::string::npos);
    EXPECT_EQ(editor().Handle(), nullptr);  // released with the others, and no timer left
}

// While the user presents (or a full-screen program runs) a due memo waits, and the tray's
// tip says so; the first check after that shows it.
TEST_F(Reminders, ADueMemoWaitsForTheEndOfAPresentation) {
    Start("[POST]\r\nPOST1MEMO=first\r\nPOST1YEAR=2000\r\n");
    app_.FirstDisplay();
    {
        const ScopedNotificationState presenting(false);
        Check();
        EXPECT_EQ(SlotTable[0].Memo, "first");
        EXPECT_EQ(app_.Title().TrayTip(), kReminderWaitingTip);
        EXPECT_TRUE(TimerRunning());
    }
    probe_.Post([&] { PressKey(VK_ESCAPE); });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_EQ(SlotTable[0].Memo, "");
    EXPECT_EQ(app_.Title().TrayTip(), kAppName);
}

// The monitors change while strips show (a monitor unplugged, a laptop undocked): each comes
// onto a work area and keeps its place there; a reminder comes on one too.
TEST_F(Reminders, WindowsComeOntoTheMonitorsThereAre) {
    Start(
        "[POST]\r\nPOST1MEMO=first\r\nPOST1YEAR=2099\r\nPOST1LEFT=100\r\nPOST1TOP=100\r\n"
        "POST2MEMO=second\r\nPOST2YEAR=2000\r\n");
    app_.FirstDisplay();
    const ScreenRect area{2000, 0, 3000, 800};
    const HWND strip = app_.MemoWindow(0).Handle();
    const auto onArea = [&](HWND window) {
        RECT place{};
        GetWindowRect(window, &place);
        return place.left >= area.Left && place.right <= area.Right && place.top >= area.Top &&
               place.bottom <= area.Bottom;
    };
    {
        const ScopedWorkAreas monitors({area});
        SendMessageW(strip, WM_DISPLAYCHANGE, 32, MAKELPARAM(1000, 800));
        EXPECT_TRUE(onArea(strip));
        EXPECT_EQ(SlotTable[0].Left, 100);  // brought over, not moved: its place stays
        probe_.Post([&] {
            EXPECT_TRUE(onArea(window().Handle()));
            PressKey(VK_ESCAPE);
        });
        Check();
        EXPECT_TRUE(probe_.Done());
    }
    SendMessageW(strip, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));  // the monitor is back
    RECT back{};
    GetWindowRect(strip, &back);
    EXPECT_EQ(std::make_pair(back.left, back.top), std::make_pair(100L, 100L));
}

// A key counts only once the user has given the window the keyboard, after its delay, and
// not repeating.
TEST_F(Reminders, KeysWaitForTheUserAndAMoment) {
    Start("[POST]\r\nPOST1MEMO=first\r\nPOST1YEAR=2000\r\n");
    app_.FirstDisplay();
    window().SetKeyDelay(300);
    const auto keyDown = [&](WPARAM key, LPARAM flags) {
        PostMessageW(window().Handle(), WM_KEYDOWN, key, flags);
    };
    probe_.Post([&] {
        Sleep(350);
        keyDown(VK_RETURN, 1);  // typed for another program
    });
    probe_.Post([&] {
        EXPECT_TRUE(window().Visible());
        PressKey(VK_RETURN);  // clicked into: its first moment
    });
    probe_.Post([&] {
        EXPECT_TRUE(window().Visible());
        Sleep(350);
        keyDown(VK_ESCAPE, 1 | 1 << 30);  // repeating
    });
    probe_.Post([&] {
        EXPECT_TRUE(window().Visible());
        keyDown(VK_RETURN, 1);
    });
    Check();
    EXPECT_TRUE(probe_.Done());
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(SlotTable[0].Memo, "");
}

TEST_F(Reminders, TheWindowTakesItsPicturesFromTheTheme) {
    Start("");
    probe_.Post([&] { window().Close(); });
    window().ShowReminder();  // its background is read as it is first shown
    const ThemeFile theme;
    EXPECT_EQ(window().MsgWndExtBtn.Bounds().left, theme.Integer("MSGEXTBTN_XPOS"));
    EXPECT_EQ(window().MsgWndExtBtn.Width(), theme.Integer("MSGEXTBTN_XSIZ"));
    EXPECT_TRUE(SamePixels(window().MsgMainImg.Picture(),
                           LoadBitmapFile(ThemePath(theme.String("MSGWND")))));
    RECT client{};
    GetClientRect(window().Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 160);
    EXPECT_FALSE(window().Visible());
}

}  // namespace
}  // namespace haripon
