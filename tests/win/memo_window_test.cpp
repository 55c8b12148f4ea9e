// The desktop memo windows and the strips drawn into them, in the test's own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "form_driver.h"
#include "memo/memo_windows.h"
#include "memo/text_draw.h"
#include "model/editor_operations.h"
#include "model/settings.h"
#include "model/settings_keeper.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "model/theme_folder.h"
#include "platform/win32/popup_menu.h"
#include "process_driver.h"
#include "reminder/reminder_draw.h"
#include "slot_setup.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using testing_support::ChangeSlot;
using testing_support::ProgramFolder;
using testing_support::SamePixels;
using testing_support::SetMemoOf;

// Pixels of the strip that differ from its fill colour, optionally within rows top..bottom.
int InkPixels(const Bitmap& strip, COLORREF fill, int top = 0, int bottom = 1 << 20) {
    int ink = 0;
    for (int y = std::max(0, top); y < std::min(strip.Height(), bottom); ++y) {
        for (int x = 0; x < strip.Width(); ++x)
            ink += strip.PixelAt(x, y) != fill;
    }
    return ink;
}

constexpr COLORREF kPaper = RGB(255, 240, 200);

TEST(MemoStrips, SizesFillsAndTheFirstRowOnly) {
    const Bitmap large = RenderMemoLabel("", false, kPaper);
    const Bitmap small = RenderMemoLabel("", true, kPaper);
    EXPECT_EQ(large.Width(), 386);
    EXPECT_EQ(small.Width(), 186);
    EXPECT_EQ(large.Height(), 12);
    EXPECT_EQ(InkPixels(large, kPaper), 0);
    EXPECT_EQ(InkPixels(small, kPaper), 0);
    EXPECT_EQ(InkPixels(RenderMemoLabel("", false, 0), 0), 0);  // no theme colour: black

    const std::string sixty(60, 'A');
    const Bitmap first = RenderMemoLabel(sixty, false, kPaper);
    EXPECT_GT(InkPixels(first, kPaper), 100);
    EXPECT_TRUE(SamePixels(first, RenderMemoLabel(sixty + "BBBBBBB", false, kPaper)));
    // Small: 30 bytes only.
    EXPECT_TRUE(SamePixels(RenderMemoLabel(std::string(30, 'A'), true, kPaper),
                           RenderMemoLabel(sixty, true, kPaper)));
}

// A text drawn into the picture it replaces looks as one drawn anew, and keeps that picture;
// a picture held elsewhere too, or of another size, is left as it is.
TEST(MemoStrips, ATextIsRedrawnIntoThePictureItReplaces) {
    Bitmap canvas = RenderMemoLabel(std::string(60, 'W'), false, 0);
    const HBITMAP kept = canvas.Handle();
    const Bitmap redrawn = RenderMemoLabel("ab", false, kPaper, std::move(canvas));
    EXPECT_EQ(redrawn.Handle(), kept);
    EXPECT_TRUE(SamePixels(redrawn, RenderMemoLabel("ab", false, kPaper)));
    const Bitmap held = RenderReminderLine("held");
    EXPECT_NE(RenderReminderLine("other", held).Handle(), held.Handle());
    EXPECT_TRUE(SamePixels(held, RenderReminderLine("held")));
    EXPECT_EQ(RenderReminderMemo("m", kPaper, RenderReminderLine("x")).Height(), 57);
}

// The label's font is fixed pitch: sixty narrow letters and sixty wide ones alike end near
// the end of the long strip, and neither is cut.
TEST(MemoStrips, TheLabelIsFixedPitch) {
    for (const char letter : {'i', 'W'}) {
        const Bitmap strip = RenderMemoLabel(std::string(60, letter), false, kPaper);
        const std::vector<DWORD> pixels = testing_support::Pixels(strip);
        const DWORD paper = pixels[0];
        int right = -1;
        for (std::size_t at = 0; at < pixels.size(); ++at) {
            if (pixels[at] != paper)
                right = std::max(right, static_cast<int>(at % strip.Width()));
        }
        EXPECT_GT(right, 330) << letter;
        EXPECT_LT(right, 385) << letter;
    }
    // Both fonts are 11 pixels high whatever the display reports (display_scale.sh runs
    // these tests at 120 pixels per inch).
    const WindowDC screen;
    if (const char* dpi = std::getenv("HARIPON_EXPECT_DPI")) {
        EXPECT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSY), std::atoi(dpi));
    }
    for (const bool fixed : {true, false}) {
        const SelectedObject font(screen.Get(), StripFont(fixed));
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.Get(), &metrics);
        EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 11) << fixed;
        if (fixed) {
            EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
        }
    }
}

TEST(MemoStrips, AnAmpersandIsDrawnAsTyped) {
    const int one = InkPixels(RenderMemoLabel("&", false, kPaper), kPaper);
    const int two = InkPixels(RenderMemoLabel("&&", false, kPaper), kPaper);
    EXPECT_GT(one, 5);
    EXPECT_GT(two, one + 5);
    EXPECT_FALSE(
        SamePixels(RenderMemoLabel("a&b", false, kPaper), RenderMemoLabel("ab", false, kPaper)));
}

TEST(MemoStrips, ReminderStrips) {
    const Bitmap line =
        RenderReminderLine("\x82\xA8\x8E\x9E\x8A\xD4\x82\xC5\x82\xB7");  // お時間です
    EXPECT_EQ(line.Width(), 177);
    EXPECT_EQ(line.Height(), 17);
    EXPECT_GT(InkPixels(line, RGB(255, 255, 255)), 20);
    EXPECT_EQ(InkPixels(RenderReminderLine(""), RGB(255, 255, 255)), 0);

    const std::string threeRows = std::string(28, 'a') + std::string(28, 'b') + "ccc";
    const Bitmap memo = RenderReminderMemo(threeRows, kPaper);
    EXPECT_EQ(memo.Width(), 177);
    EXPECT_EQ(memo.Height(), 57);
    EXPECT_GT(InkPixels(memo, kPaper, 0, 16), 20);
    EXPECT_GT(InkPixels(memo, kPaper, 16, 32), 20);
    EXPECT_GT(InkPixels(memo, kPaper, 32, 48), 5);
    EXPECT_EQ(InkPixels(memo, kPaper, 48, 57), 0);
}

// Records what the memo windows ask of the editor, in order.
class RecordingEditor : public EditorOperations {
  public:
    std::vector<std::string> calls;
    bool visible = false;

    bool Visible() const override { return visible; }
    void Open(EditorOpening opening, int slot) override {
        const char* names[] = {"FirstDisplay", "TrayDoubleClick", "TrayMenu", "Rewrite", "NewMemo"};
        calls.push_back("Open " + std::string(names[static_cast<int>(opening)]) + " " +
                        std::to_string(slot));
    }
    void SlotPeeledOff(int slot, bool wasTimed) override {
        calls.push_back("SlotPeeledOff " + std::to_string(slot) + (wasTimed ? " timed" : ""));
    }
    void SlotDelivered(int slot) override {
        calls.push_back("SlotDelivered " + std::to_string(slot));
    }
    void SlotChangedElsewhere(int slot) override {
        calls.push_back("SlotChangedElsewhere " + std::to_string(slot));
    }
};

// Saves and looks, counted.
struct RecordingKeeper : SettingsKeeper {
    bool SaveSettings(const LocalTime&) override { return ++saves > 0; }
    void FollowSettingsFile(const LocalTime&) override {}
    int saves = 0;
};

struct MenuSeen {
    bool newMemo;
    std::string sizeCaption;
};

// The memo windows with an editor that only records, on the state the title and editor
// windows leave at start.
class DesktopMemos : public testing::Test {
  protected:
    void SetUp() override {
        folder_.Write("timpsd.ini",
                      "[POST]\r\nPOST3MEMO=third\r\nPOST3TOP=40\r\nPOST3LEFT=30\r\n"
                      "POST7MEMO=seventh\r\nPOST7TOP=5000\r\nPOST7LEFT=-100\r\n");
        SetAppFolder(folder_.Path() / "");
        SetThemeFolder(ReadThemeFolder());
        ResetSlots();
        LoadTheme();
        ReadSettings(ReadLocalClock());
        memos_.Create();
        GetClientRect(GetDesktopWindow(), &desktop_);
    }

    void FirstDisplay() { memos_.ShowPostedMemos(); }
    TMemoWindow& Window(int slot) { return memos_.Window(slot); }
    static RECT WindowRect(const TMemoWindow& window) {
        RECT bounds{};
        GetWindowRect(window.Handle(), &bounds);
        return bounds;
    }
    static SIZE ClientSize(const TMemoWindow& window) {
        RECT client{};
        GetClientRect(window.Handle(), &client);
        return {client.right, client.bottom};
    }
    void RightClick(TMemoWindow& window, int x, int y) {
        SendMessageW(window.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    }

    ProgramFolder folder_;
    RecordingEditor editor_;
    RecordingKeeper keeper_;
    MemoWindows memos_{editor_, keeper_};
    RECT desktop_{};
    std::vector<MenuSeen> menus_;
    const char* itemToChoose_ = nullptr;
    const PopupMenu::ScopedHook menuHook_{[this](const PopupMenu& menu) -> UINT {
        const UINT sizeItem =
            menu.IdOf(kSmallerCaption) ? menu.IdOf(kSmallerCaption) : menu.IdOf(kLargerCaption);
        menus_.push_back({menu.Enabled(menu.IdOf(kNewMemoCaption)), menu.Caption(sizeItem)});
        return itemToChoose_ ? menu.IdOf(std::exchange(itemToChoose_, nullptr)) : 0;
    }};
};

TEST_F(DesktopMemos, TheFirstDisplayShowsPostedSlotsWhereTheyWere) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_FALSE(Window(slot).Visible()) << slot;
    FirstDisplay();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Window(slot).Visible(), slot == 2 || slot == 6) << slot;
    }
    EXPECT_EQ(WindowRect(Window(2)).left, 30);
    EXPECT_EQ(WindowRect(Window(2)).top, 40);
    // Stored where no monitor is: brought onto the screen, its place kept for a monitor there.
    EXPECT_EQ(WindowRect(Window(6)).left, 0);
    EXPECT_EQ(WindowRect(Window(6)).top, desktop_.bottom - 22);
    EXPECT_EQ(std::make_pair(SlotTable[6].Left, SlotTable[6].Top), std::make_pair(-100, 5000));
    EXPECT_EQ(ClientSize(Window(2)).cx, 413);
    EXPECT_EQ(ClientSize(Window(2)).cy, 22);
    wchar_t name[32] = {};
    GetClassNameW(Window(6).Handle(), name, 32);
    EXPECT_STREQ(name, L"TPostForm7");
    EXPECT_TRUE(GetWindowLongW(Window(0).Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(Window(1).Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(DesktopMemos, BothDisplaySizes) {
    FirstDisplay();
    TMemoWindow& window = Window(2);
    const Bitmap large = window.RenderClient();
    EXPECT_EQ(large.Width(), 413);
    // The face at (2,2) and the label from x = 24 show; the label strip is the memo colour.
    const COLORREF memoColor = static_cast<COLORREF>(SlotTable[2].SlotTheme.MemoColor);
    EXPECT_EQ(large.PixelAt(24 + 380, 5 + 6), memoColor);

    itemToChoose_ = kSmallerCaption;
    RightClick(window, 200, 10);
    EXPECT_EQ(SlotTable[2].SmallDisplay, 1);
    EXPECT_EQ(ClientSize(window).cx, 213);
    EXPECT_EQ(ClientSize(window).cy, 22);
    EXPECT_EQ(WindowRect(window).left, 30);  // grows and shrinks to the right
    RightClick(window, 100, 10);
    EXPECT_EQ(menus_.back().sizeCaption, kLargerCaption);

    const Bitmap seventh = Window(6).RenderClient();
    EXPECT_EQ(seventh.PixelAt(22 + 385, 5 + 6),
              static_cast<COLORREF>(SlotTable[6].SlotTheme.MemoColor));
}

TEST_F(DesktopMemos, TheEndOfAMovePullsTheWindowBackOnTheDesktop) {
    FirstDisplay();
    TMemoWindow& window = Window(2);
    auto moveAndEnd = [&](int left, int top) {
        SetWindowPos(window.Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(window.Handle(), WM_EXITSIZEMOVE, 0, 0);
        const RECT r = WindowRect(window);
        return std::make_pair(r.left, r.top);
    };
    EXPECT_EQ(moveAndEnd(-40, 100), std::make_pair(0L, 100L));
    EXPECT_EQ(moveAndEnd(100, -7), std::make_pair(100L, 0L));
    EXPECT_EQ(moveAndEnd(desktop_.right - 10, 100), std::make_pair(desktop_.right - 413, 100L));
    EXPECT_EQ(moveAndEnd(100, desktop_.bottom + 50), std::make_pair(100L, desktop_.bottom - 22));
    window.StoreWindowPosition();
    EXPECT_EQ(SlotTable[2].Left, 100);
    EXPECT_EQ(SlotTable[2].Top, desktop_.bottom - 22);
}

TEST_F(DesktopMemos, NewMemoIsGreyedWhenNoSlotIsFreeOrTheEditorIsOpen) {
    FirstDisplay();
    RightClick(Window(2), 100, 10);
    ASSERT_EQ(menus_.size(), 1u);
    EXPECT_TRUE(menus_[0].newMemo);
    EXPECT_EQ(menus_[0].sizeCaption, kSmallerCaption);

    editor_.visible = true;
    RightClick(Window(2), 100, 10);
    EXPECT_FALSE(menus_.back().newMemo);
    editor_.visible = false;

    for (int slot = 0; slot < kSlotCount; ++slot)
        SetMemoOf(slot, "full");
    RightClick(Window(2), 100, 10);
    EXPECT_FALSE(menus_.back().newMemo);

    // The face of windows 2 to 7 keeps its clicks; window 1's passes them on.
    const std::size_t before = menus_.size();
    RightClick(Window(2), 5, 5);
    EXPECT_EQ(menus_.size(), before);
    RightClick(Window(0), 5, 5);
    EXPECT_EQ(menus_.size(), before + 1);
}

TEST_F(DesktopMemos, PeelingOffClearsTheSlotWithoutSaving) {
    FirstDisplay();
    SelectSlot(2);
    ChangeSlot(2, [](StoredSlot& slot) {
        slot.TimeFlag = 1;
        slot.Time.Year = 2030;
    });
    itemToChoose_ = kPeelOffCaption;
    RightClick(Window(2), 100, 10);

    const MemoSlot& slot = SlotTable[2];
    EXPECT_EQ(slot.Memo, "");
    EXPECT_EQ(slot.HasMemo, 0);
    EXPECT_EQ(slot.TimeFlag, 0);
    EXPECT_EQ(slot.Time, ReminderTime::None());
    EXPECT_FALSE(Window(2).Visible());
    EXPECT_EQ(editor_.calls, std::vector<std::string>{"SlotPeeledOff 2 timed"});
    EXPECT_EQ(folder_.Read("timpsd.ini").find("POST3MEMO=third"), 8u);  // not written
    EXPECT_EQ(keeper_.saves, 0);

    editor_.calls.clear();
    Window(6).PeelOffMemo();
    EXPECT_EQ(editor_.calls, std::vector<std::string>{"SlotPeeledOff 6"});
}

TEST_F(DesktopMemos, RewriteAndNewOpenTheEditorOnTheirSlot) {
    FirstDisplay();
    itemToChoose_ = kRewriteCaption;
    RightClick(Window(6), 100, 10);
    EXPECT_EQ(editor_.calls, std::vector<std::string>{"Open Rewrite 6"});

    editor_.calls.clear();
    itemToChoose_ = kNewMemoCaption;
    RightClick(Window(6), 100, 10);
    EXPECT_EQ(editor_.calls, std::vector<std::string>{"Open NewMemo 0"});  // the first free
}

TEST_F(DesktopMemos, ACloseIsRefusedWhileTheSlotHoldsAMemo) {
    FirstDisplay();
    TMemoWindow& window = Window(2);
    window.Close();
    EXPECT_TRUE(window.Visible());
    ReleaseAllSlots();
    window.Close();
    EXPECT_FALSE(window.Visible());
    MSG message;
    while (PeekMessageW(&message, window.Handle(), 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(window.Handle(), nullptr);  // released
}

}  // namespace
}  // namespace haripon
