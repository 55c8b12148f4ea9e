// The memo editor window, driven through its real controls in the test's own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/removed_memos.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/picture.h"
#include "platform/win32/window_text.h"
#include "accessible_reader.h"
#include "program_fixture.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

using namespace testing_support;

constexpr char kStored[] =
    "[POST]\r\nPOST3MEMO=third\r\nPOST3YEAR=2031\r\nPOST3MONTH=2\r\nPOST3DAY=3\r\n"
    "POST3TIML=4\r\nPOST3TIMM=5\r\nPOST3TIMEFLAG=1\r\nPOST3TOP=40\r\nPOST3LEFT=30\r\n";

class Editor : public ProgramFixture {
  protected:
    void Click(const Control& control) { testing_support::Click(editor(), control); }
    void SetBoxes(const std::vector<std::string>& texts) {
        ComboBox* boxes[] = {&editor().YearCmb, &editor().MonthCmb, &editor().DayCmb,
                             &editor().TimeLCmb, &editor().TimeMCmb};
        for (std::size_t i = 0; i < texts.size(); ++i)
            boxes[i]->SetText(texts[i]);
    }
    std::vector<std::string> BoxTexts() {
        return {editor().YearCmb.Text(), editor().MonthCmb.Text(), editor().DayCmb.Text(),
                editor().TimeLCmb.Text(), editor().TimeMCmb.Text()};
    }
    void Tick() { SendMessageW(editor().TimSetCBox.Handle(), BM_CLICK, 0, 0); }
    void WriteMemo(const wchar_t* text) {
        editor().PstEdt.SetText("");
        Type(editor().PstEdt.Handle(), text);
    }
};

TEST_F(Editor, PostingWithAndWithoutATime) {
    Start("[POST]\r\nPOST1TOP=40\r\nPOST1LEFT=30\r\n");
    app_.FirstDisplay();
    ASSERT_TRUE(editor().Visible());

    WriteMemo(L"plain");
    Click(editor().SetBtn);
    EXPECT_EQ(SlotTable[0].Memo, "plain");
    EXPECT_EQ(SlotTable[0].Time, ReminderTime::None());
    EXPECT_EQ(SlotTable[0].TimeFlag, 0);
    EXPECT_EQ(SlotTable[0].HasMemo, 1);
    ASSERT_TRUE(app_.MemoWindow(0).Visible());
    RECT strip{};
    GetWindowRect(app_.MemoWindow(0).Handle(), &strip);
    EXPECT_EQ(strip.left, 30);
    EXPECT_EQ(strip.top, 40);
    EXPECT_NE(Settings().find("POST1YEAR=-1\r\n"), std::string::npos);
    EXPECT_NE(Settings().find("POST1MEMO=plain\r\n"), std::string::npos);
    EXPECT_TRUE(editor().EdtBtn.Visible());
    EXPECT_FALSE(editor().SetBtn.Visible());

    Click(editor().PstBtn[1]);
    WriteMemo(L"timed");
    Tick();
    SetBoxes({"2030", "4", "30", "23", "59"});
    Click(editor().SetBtn);
    EXPECT_EQ(SlotTable[1].Time, (ReminderTime{2030, 4, 30, 23, 59}));
    EXPECT_EQ(SlotTable[1].TimeFlag, 1);
    EXPECT_NE(Settings().find("POST2YEAR=2030\r\nPOST2MONTH=4\r\nPOST2DAY=30\r\nPOST2TIML=23\r\n"
                              "POST2TIMM=59\r\n"),
              std::string::npos);
    EXPECT_NE(Settings().find("POST2TIMEFLAG=1\r\n"), std::string::npos);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Editor, AnEmptyMemoIsNeitherPostedNorTimed) {
    Start("");
    app_.FirstDisplay();
    Click(editor().SetBtn);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kEmptyMemo);
    EXPECT_EQ(boxes_[0].caption, kVersionText);
    EXPECT_TRUE(HasFocus(editor().PstEdt.Handle()));
    EXPECT_FALSE(app_.MemoWindow(0).Visible());
    EXPECT_FALSE(std::filesystem::exists(folder_.File("timpsd.ini")));

    Tick();
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].text, kEmptyMemo);
    EXPECT_FALSE(editor().TimSetCBox.Checked());
    EXPECT_FALSE(editor().YearCmb.Enabled());
}

// Each box refused in turn: its message, the slot's time unset, the focus on that box.
TEST_F(Editor, EachRefusedBoxUnsetsTheTime) {
    Start("");
    app_.FirstDisplay();
    const struct {
        std::vector<std::string> texts;
        const char* message;
        ComboBox TTPostForm::*box;
    } cases[] = {
        {{"1999", "4", "10", "9", "5"}, kYearInvalid, &TTPostForm::YearCmb},
        {{"\x82\x51\x82\x4F\x82\x51\x82\x4F", "4", "10", "9", "5"},
         kYearInvalid,
         &TTPostForm::YearCmb},  // full-width digits
        {{"2030", "13", "10", "9", "5"}, kMonthInvalid, &TTPostForm::MonthCmb},
        {{"2030", "4", "0", "9", "5"}, kDayInvalid, &TTPostForm::DayCmb},
        {{"2030", "4", "10", "24", "5"}, kHourInvalid, &TTPostForm::TimeLCmb},
        {{"2030", "4", "10", "9", "ab"}, kMinuteInvalid, &TTPostForm::TimeMCmb},
    };
    WriteMemo(L"memo");
    Tick();
    for (const auto& refused : cases) {
        boxes_.clear();
        ChangeSlot(0, [](StoredSlot& slot) { slot.Time.Year = slot.Time.Month = 1; });
        SetBoxes(refused.texts);
        Click(editor().SetBtn);
        ASSERT_EQ(boxes_.size(), 1u) << refused.texts[0];
        EXPECT_EQ(boxes_[0].text, refused.message);
        EXPECT_EQ(SlotTable[0].Time, ReminderTime::None());
        EXPECT_TRUE(HasFocus((editor().*refused.box).Handle())) << refused.message;
        EXPECT_EQ(SlotTable[0].Memo, "");
    }
    EXPECT_FALSE(std::filesystem::exists(folder_.File("timpsd.ini")));

    // 31 April passes the five steps and is refused by the month's length.
    boxes_.clear();
    SetBoxes({"2030", "4", "31", "9", "5"});
    Click(editor().SetBtn);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kDayInvalid);
    EXPECT_EQ(SlotTable[0].Time, (ReminderTime{2030, 4, 31, 9, 5}));
    EXPECT_EQ(editor().DayCmb.ItemCount(), 30);
    EXPECT_TRUE(HasFocus(editor().DayCmb.Handle()));
    EXPECT_EQ(SlotTable[0].Memo, "");
}

TEST_F(Editor, RewritingWithNoTextTakesTheMemoOffAndPeelingOffSavesNothing) {
    Start(kStored);
    app_.FirstDisplay();
    RightClickMemo(2, kRewriteCaption);
    ASSERT_TRUE(editor().Visible());
    EXPECT_TRUE(editor().TimSetCBox.Checked());
    editor().PstEdt.SetText("");
    Click(editor().EdtBtn);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(SlotTable[2].Memo, "");
    EXPECT_EQ(SlotTable[2].Time, ReminderTime::None());
    EXPECT_FALSE(app_.MemoWindow(2).Visible());
    EXPECT_FALSE(editor().TimSetCBox.Checked());
    EXPECT_FALSE(editor().YearCmb.Enabled());
    EXPECT_TRUE(editor().SetBtn.Visible());
    EXPECT_FALSE(editor().EdtBtn.Visible());
    EXPECT_NE(Settings().find("POST3MEMO=\r\n"), std::string::npos);

    WriteMemo(L"again");
    Click(editor().SetBtn);
    const std::string saved = Settings();
    Click(editor().DltBtn);
    EXPECT_EQ(SlotTable[2].Memo, "");
    EXPECT_FALSE(app_.MemoWindow(2).Visible());
    EXPECT_EQ(editor().PstEdt.Text(), "");
    EXPECT_EQ(Settings(), saved);
    EXPECT_TRUE(boxes_.empty());
}

// Peeling off while the editor shows slot 3: the tick and the boxes go off, and the buttons
// and the boxes follow the emptied slot; the text goes only with slot 3 itself, whose tick
// first shows its timer once more (with no text and the post button up, refused as ever).
TEST_F(Editor, APeelOffRefreshesTheEditor) {
    Start(std::string(kStored) + "POST1MEMO=first\r\n");
    app_.FirstDisplay();
    RightClickMemo(2, kRewriteCaption);
    ASSERT_TRUE(editor().TimSetCBox.Checked());
    const auto emptied = [&](int slot) {
        EXPECT_FALSE(editor().TimSetCBox.Checked());
        EXPECT_FALSE(editor().YearCmb.Enabled());
        EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2026", "12", "8", "9", "5"}));
        EXPECT_TRUE(editor().SetBtn.Visible());
        EXPECT_TRUE(SamePixels(editor().PstBtnImg[slot].Picture(),
                               LoadBitmapFile(ThemePath(SlotTable[slot].SlotTheme.SlotBackFile0))));
    };
    RightClickMemo(0, kPeelOffCaption);
    EXPECT_EQ(editor().PstEdt.Text(), "third");
    emptied(0);
    EXPECT_TRUE(boxes_.empty());

    editor().PstEdt.SetText("");
    Click(editor().DltBtn);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kEmptyMemo);
    EXPECT_EQ(editor().PstEdt.Text(), "");
    emptied(2);
}

TEST_F(Editor, SelectingASlot) {
    Start(kStored);
    Click(editor().PstBtn[2]);
    EXPECT_EQ(SelectedSlot, 2);
    EXPECT_EQ(editor().PstEdt.Text(), "third");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2031", "2", "3", "4", "5"}));
    EXPECT_TRUE(editor().TimSetCBox.Checked());
    EXPECT_TRUE(editor().EdtBtn.Visible());

    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SpeedButton& button = editor().PstBtn[slot];
        const Bitmap strip = LoadBitmapFile(ThemePath(SlotTable[slot].SlotTheme.FaceFile));
        EXPECT_EQ(button.Enabled(), slot != 2) << slot;
        EXPECT_TRUE(ShowsGlyphImage(editor(), button, strip, slot == 2 ? 1 : 0)) << slot;
    }
    const RECT face = editor().SelPstImg.Bounds();
    EXPECT_EQ(face.left, ThemeSettings.MiniFaceLeft);
    EXPECT_EQ(face.top, ThemeSettings.MiniFaceTop);
    EXPECT_EQ(face.right - face.left, ThemeSettings.MiniFaceWidth);
    EXPECT_TRUE(SamePixels(editor().SelPstImg.Picture(),
                           LoadBitmapFile(ThemePath(SlotTable[2].SlotTheme.SmallFaceFile))));

    // Unsaved text goes with the selection.
    WriteMemo(L"not kept");
    Click(editor().PstBtn[4]);
    EXPECT_EQ(editor().PstEdt.Text(), "");
    EXPECT_FALSE(editor().TimSetCBox.Checked());
    Click(editor().PstBtn[2]);
    EXPECT_EQ(editor().PstEdt.Text(), "third");
}

// The slot's picture and name and the strip's window text follow the memo.
TEST_F(Editor, TheSlotPictureFollowsItsMemo) {
    Start("");
    app_.FirstDisplay();
    const auto picture = [&](int slot, bool filled) {
        const SlotTheme& theme = SlotTable[slot].SlotTheme;
        return LoadBitmapFile(ThemePath(filled ? theme.SlotBackFile1 : theme.SlotBackFile0));
    };
    Click(editor().PstBtn[3]);
    EXPECT_TRUE(SamePixels(editor().PstBtnImg[3].Picture(), picture(3, false)));
    const auto read = [&](const char* state) {  // the strip's text and the slot's name
        return std::make_pair(
            SjisFromWide(WindowText(app_.MemoWindow(3).Handle())),
            editor().PstBtn[3].AccessibleName() == kSlotButtonName + std::string("4") + state);
    };
    WriteMemo(L"four");
    Click(editor().SetBtn);
    EXPECT_TRUE(SamePixels(editor().PstBtnImg[3].Picture(), picture(3, true)));
    EXPECT_EQ(read(kSlotButtonHoldsMemo), std::make_pair(std::string("four"), true));
    WriteMemo(L"four, again");
    Click(editor().EdtBtn);
    EXPECT_EQ(read(kSlotButtonHoldsMemo), std::make_pair(std::string("four, again"), true));
    EXPECT_EQ(ReadRemovedMemos().at(0).Memo.Memo, "four");  // replaced, kept

    HBITMAP others[kSlotCount];
    for (int slot = 0; slot < kSlotCount; ++slot)
        others[slot] = editor().PstBtnImg[slot].Picture().Handle();
    Click(editor().DltBtn);
    EXPECT_TRUE(SamePixels(editor().PstBtnImg[3].Picture(), picture(3, false)));
    EXPECT_EQ(read(kSlotButtonEmpty), std::make_pair(std::string(), true));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot != 3) {
            EXPECT_EQ(editor().PstBtnImg[slot].Picture().Handle(), others[slot]) << slot;
        }
    }
}

TEST_F(Editor, EachOpenerShowsItsTime) {
    Start(std::string(kStored) + "POST1MEMO=first\r\n");
    app_.FirstDisplay();
    EXPECT_FALSE(editor().Visible());  // a memo is posted: the program sits in the tray
    SelectSlot(2);

    ChooseTrayItem(kOpenEditorCaption);
    ASSERT_TRUE(editor().Visible());
    EXPECT_EQ(editor().PstEdt.Text(), "third");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2026", "12", "8", "9", "5"}));
    EXPECT_TRUE(HasFocus(editor().PstEdt.Handle()));

    editor().Hide();
    SendMessageW(app_.Title().Handle(), TPTitleForm::kTrayMessage, TPTitleForm::kTrayIconId,
                 WM_LBUTTONDBLCLK);
    ASSERT_TRUE(editor().Visible());
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2031", "2", "3", "4", "5"}));

    editor().Hide();
    SelectSlot(0);
    RightClickMemo(2, kRewriteCaption);
    EXPECT_EQ(SelectedSlot, 2);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2031", "2", "3", "4", "5"}));
    EXPECT_EQ(editor().DayCmb.ItemCount(), 28);

    editor().Hide();
    RightClickMemo(2, kNewMemoCaption);
    EXPECT_EQ(SelectedSlot, 1);  // the first free slot
    EXPECT_TRUE(editor().Visible());
    EXPECT_TRUE(editor().SetBtn.Visible());
    EXPECT_TRUE(boxes_.empty());
}

// After a start without a settings file every slot's time is 0, not "not set".
TEST_F(Editor, AStartWithoutSettingsShowsZerosThatCannotBePosted) {
    Start("");
    app_.FirstDisplay();
    ASSERT_TRUE(editor().Visible());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(5, "0"));
    EXPECT_EQ(editor().DayCmb.ItemCount(), 0);
    WriteMemo(L"x");
    Tick();
    Click(editor().SetBtn);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kYearInvalid);
}

TEST_F(Editor, TheDayListFollowsTheYearAndTheMonthWhenLeft) {
    Start("");
    app_.FirstDisplay();
    WriteMemo(L"memo");
    Tick();
    SetBoxes({"2030", "2", "1", "0", "0"});
    editor().FillDayList();
    EXPECT_EQ(editor().DayCmb.ItemCount(), 28);

    const HWND year = EditOf(editor().YearCmb.Handle());
    SendMessageW(year, EM_SETSEL, 0, -1);
    Type(year, L"2032");  // a leap year, typed
    EXPECT_EQ(editor().DayCmb.ItemCount(), 29);

    const HWND month = EditOf(editor().MonthCmb.Handle());
    SetFocus(month);
    SendMessageW(month, EM_SETSEL, 0, -1);
    Type(month, L"4");
    EXPECT_EQ(editor().DayCmb.ItemCount(), 29);  // not while the month is typed
    editor().PstEdt.Focus();
    EXPECT_EQ(editor().DayCmb.ItemCount(), 30);
    EXPECT_EQ(editor().DayCmb.Text(), "1");
}

// This year and the ten after it; any year the check accepts can be typed.
TEST_F(Editor, TheYearListStartsThisYear) {
    Start("");
    app_.FirstDisplay();
    ASSERT_EQ(editor().YearCmb.ItemCount(), 11);
    EXPECT_EQ(editor().YearCmb.Item(0), "2026");
    EXPECT_EQ(editor().YearCmb.Item(10), "2036");
    const HWND year = EditOf(editor().YearCmb.Handle());
    SetWindowTextW(year, L"");
    Type(year, L"300012");
    EXPECT_EQ(editor().YearCmb.Text(), "3000");
}

TEST_F(Editor, TheMemoHoldsSixtyShiftJisBytes) {
    Start("");
    app_.FirstDisplay();
    const HWND edit = editor().PstEdt.Handle();
    const struct {
        std::wstring typed;
        bool paste;
        std::string kept;
    } cases[] = {
        {std::wstring(61, L'a'), false, std::string(60, 'a')},
        {std::wstring(61, L'a'), true, std::string(60, 'a')},
        {std::wstring(31, L'\x3042'), false,
         [] {
             std::string s;
             for (int i = 0; i < 30; ++i)
                 s += "\x82\xA0";
             return s;
         }()},
        {L"a" + std::wstring(30, L'\x3042'), true,
         [] {
             std::string s = "a";
             for (int i = 0; i < 29; ++i)
                 s += "\x82\xA0";
             return s;
         }()},
        {L"\xFF76\xFF80\xFF76\xFF85 ok", false, "\xB6\xC0\xB6\xC5 ok"},  // half-width kana
        {L"a\xD83D\xDE00"
         L"b",
         false, "ab"},  // an emoji
        {L"a\xD83D\xDE00"
         L"b\x00E9",
         true, "ab"},  // and é
    };
    for (const auto& input : cases) {
        editor().PstEdt.SetText("");
        if (input.paste) {
            Paste(edit, input.typed);
        } else {
            Type(edit, input.typed);
        }
        EXPECT_EQ(editor().PstEdt.Text(), input.kept) << input.paste << " " << input.kept;
    }
    // Put into the middle: what fits is kept there, the rest of the text stays.
    const struct {
        std::string text;
        std::wstring pasted;
        std::string kept;
    } middle[] = {
        {std::string(58, 'b'), L"xyz", "bxy" + std::string(57, 'b')},
        {"a" + std::string(58, 'b'), L"bc", "a" + std::string(59, 'b')},
    };
    for (const auto& input : middle) {
        editor().PstEdt.SetText(input.text);
        SendMessageW(edit, EM_SETSEL, 1, 1);
        Paste(edit, input.pasted);
        EXPECT_EQ(editor().PstEdt.Text(), input.kept);
    }
    // Text an input method composed arrives as its own message.
    editor().PstEdt.SetText(std::string(58, 'c'));
    SendMessageW(edit, EM_SETSEL, 58, 58);
    for (const wchar_t c : std::wstring(L"\x65E5\x672C"))  // 日本
        SendMessageW(edit, WM_IME_CHAR, c, 1);
    MSG posted;  // the system delivers them as characters
    while (PeekMessageW(&posted, edit, 0, 0, PM_REMOVE))
        DispatchMessageW(&posted);
    EXPECT_EQ(editor().PstEdt.Text(), std::string(58, 'c') + "\x93\xFA");
}

// The theme places the date and time row from the year box's place.
TEST_F(Editor, TheThemeLaysOutTheTimeRow) {
    // The theme with its own time row keys taken out and the given ones in their place.
    const std::string theme = folder_.Read("face8.bmp");
    const auto withRow = [&](const std::string& row) {
        std::string text;
        for (std::size_t at = 0; at < theme.size();) {
            const std::size_t end = theme.find('\n', at);
            const std::string line = theme.substr(at, end - at + 1);
            if (line.rfind("INPMEMOSETTIM", 0) != 0)
                text += line;
            if (line.rfind("[CG]", 0) == 0)
                text += row;
            at = end + 1;
        }
        return text;
    };
    const struct {
        std::string row;
        int yearLeft, top, minuteLeft, labelLeft;
        COLORREF labelColor;
    } cases[] = {
        {"INPMEMOSETTIM_XPOS=10\r\nINPMEMOSETTIM_YPOS=190\r\nINPMEMOSETTIMCOLOR=255\r\n", 10, 190,
         306, 356, RGB(255, 0, 0)},
        {"", 0, 0, 296, 346, RGB(0, 0, 0)},
    };
    for (const auto& layout : cases) {
        folder_.Write("face8.bmp", withRow(layout.row));
        Application app(folder_.Path() / "");
        app.CreateWindows();
        TTPostForm& form = app.Editor();
        EXPECT_EQ(form.YearCmb.Bounds().left, layout.yearLeft);
        EXPECT_EQ(form.YearCmb.Bounds().top, layout.top);
        EXPECT_EQ(form.MonthCmb.Bounds().left, layout.yearLeft + 80);
        EXPECT_EQ(form.TimeMCmb.Bounds().left, layout.minuteLeft);
        EXPECT_EQ(form.TimeMCmb.Bounds().top, layout.top);
        EXPECT_EQ(form.TimeMmLbl.Bounds().left, layout.labelLeft);
        EXPECT_EQ(form.TimeMmLbl.Bounds().top, layout.top + 4);
        const RECT label = form.YearLbl.Bounds();
        EXPECT_EQ(form.RenderClient().PixelAt(label.left, label.top), layout.labelColor);
    }
}

// Tab from the memo reaches the picture buttons that can be used, then the date and time
// boxes and the tick, each once, and comes back; Shift+Tab goes back; Space presses the
// button that has the keyboard; Esc hides the window. Every picture button has a name.
TEST_F(Editor, TheKeyboardGoesRoundTheControls) {
    Start("");
    app_.FirstDisplay();
    WriteMemo(L"memo");
    Tick();
    TTPostForm& form = editor();
    const auto key = [](WPARAM vk) {
        PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
        Drain();
    };
    std::vector<const Control*> buttons{&form.DltBtn, &form.SetBtn, &form.CloseBtn, &form.ExitBtn};
    for (int slot = 1; slot < kSlotCount; ++slot)  // the selected slot's button is up
        buttons.push_back(&form.PstBtn[slot]);
    form.PstEdt.Focus();
    for (const Control* button : buttons) {
        key(VK_TAB);
        EXPECT_TRUE(form.FocusedControl() == button && GetFocus() == form.Handle());
    }
    for (HWND box : {form.YearCmb.Handle(), form.MonthCmb.Handle(), form.DayCmb.Handle(),
                     form.TimeLCmb.Handle(), form.TimeMCmb.Handle(), form.TimSetCBox.Handle(),
                     form.PstEdt.Handle()}) {
        key(VK_TAB);
        EXPECT_TRUE(HasFocus(box));
    }
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    key(VK_TAB);
    EXPECT_TRUE(HasFocus(form.TimSetCBox.Handle()));
    key(VK_TAB);
    key(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(HasFocus(form.TimeLCmb.Handle()));
    SetBoxes({"2030", "1", "2", "3", "4"});
    form.FocusControl(&form.SetBtn);  // posted, 貼 gives way to 書 and its keyboard too
    key(VK_SPACE);
    EXPECT_EQ(SlotTable[0].Memo, "memo");
    EXPECT_EQ(form.FocusedControl(), &form.EdtBtn);
    EXPECT_EQ(GetFocus(), form.Handle());
    form.FocusControl(&form.PstBtn[2]);
    key(VK_SPACE);
    EXPECT_EQ(SelectedSlot, 2);

    const AccessibleView read = ReadAccessible(form);
    EXPECT_EQ(SjisFromWide(read.Name), kEditorName);
    const std::vector<std::wstring>& names = read.Elements;
    for (const SpeedButton* button :
         {&form.DltBtn, &form.EdtBtn, &form.SetBtn, &form.CloseBtn, &form.ExitBtn, &form.PstBtn[0],
          &form.PstBtn[2], &form.PstBtn[6]}) {
        EXPECT_FALSE(button->AccessibleName().empty());
        const std::wstring name = WideFromSjis(button->AccessibleName());
        EXPECT_EQ(std::count(names.begin(), names.end(), name), button->Visible() ? 1 : 0);
        const auto at = std::find(names.begin(), names.end(), name);
        if (at != names.end()) {  // a button that cannot be pressed is said to be so
            EXPECT_EQ((read.States[at - names.begin()] & STATE_SYSTEM_UNAVAILABLE) != 0,
                      !button->Enabled());
        }
    }
    key(VK_ESCAPE);
    EXPECT_FALSE(form.Visible());
}

TEST_F(Editor, CloseRequestsAreRefusedUntilTheEnd) {
    Start("");
    app_.FirstDisplay();
    SendMessageW(editor().Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor().Visible());
    Click(editor().CloseBtn);
    EXPECT_FALSE(editor().Visible());

    Click(editor().ExitBtn);
    EXPECT_EQ(BlockEditorClose, 0);
    EXPECT_NE(Settings().find("[VERSION]"), std::string::npos);  // the shutdown saved
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace haripon
