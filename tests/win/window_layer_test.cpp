// The form layer in the test's own process: controls painted by their form, pictures and
// glyph strips, and the one place that reports errors.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/texts.h"
#include "platform/win32/controls.h"
#include "platform/win32/error_report.h"
#include "platform/win32/form.h"
#include "platform/win32/message_box.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/picture.h"
#include "platform/win32/window_text.h"
#include "platform/win32/windowed_controls.h"
#include "temp_folder.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;

constexpr COLORREF kFormColor = RGB(10, 20, 30);
constexpr COLORREF kKey = RGB(255, 0, 255);

// Writes a 24-bit bitmap file whose pixel (x, y) is colourAt(x, y), y from the top.
template <typename ColourAt>
void WriteBitmap(const fs::path& file, int width, int height, ColourAt colourAt) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER info{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof info;
    fileHeader.bfSize = fileHeader.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            unsigned char* p = &pixels[static_cast<std::size_t>((height - 1 - y) * stride + x * 3)];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
}

class TestForm : public Form {
  public:
    TestForm() : Form(L"THariponTestForm", 60, 40) {
        AddControl(image);
        AddControl(button);
        AddControl(label);
    }
    void Create() {
        Form::Create();
        SetColor(kFormColor);
        edit.Create(*this);
        combo.Create(*this);
        check.Create(*this, "timer");
        edit.SetBounds(0, 100, 100, 20);
    }
    Image image;
    SpeedButton button;
    Label label;
    Edit edit;
    ComboBox combo;
    CheckBox check;
    int formPresses = 0;

  protected:
    void FormMouseDown(POINT) override { ++formPresses; }
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != WM_APP)
            return false;
        image.Load(fs::temp_directory_path() / L"missing.bmp");  // reported by the dispatch
        image.SetVisible(false);                                 // never reached
        return true;
    }
};

class WindowLayer : public testing::Test {
  protected:
    void SetUp() override { form_.Create(); }
    COLORREF PixelAt(int x, int y) const { return form_.RenderClient().PixelAt(x, y); }
    fs::path Theme(const wchar_t* name) const { return folder_.Path() / name; }

    testing_support::TempFolder folder_{"layer"};
    std::vector<std::string> reports;
    ScopedMessageBoxHook hook_{
        [this](const std::string& text, const std::string&) { reports.push_back(text); }};
    TestForm form_;
};

// Four images of 25 x 10: red, green, blue, yellow; each with a magenta bottom-left corner.
void WriteStrip(const fs::path& file) {
    const COLORREF images[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    WriteBitmap(file, 100, 10, [&](int x, int y) {
        if (x % 25 < 3 && y > 6)
            return kKey;
        return images[x / 25];
    });
}

TEST_F(WindowLayer, GlyphStripImagesAreAQuarterOfTheStrip) {
    WriteStrip(Theme(L"strip.bmp"));
    form_.button.SetBounds(0, 0, 40, 10);
    form_.button.SetFlat(true);
    form_.button.LoadGlyph(Theme(L"strip.bmp"));
    // A 25-pixel image centred in 40 pixels: columns 7..31.
    EXPECT_EQ(PixelAt(6, 2), kFormColor);
    EXPECT_EQ(PixelAt(7, 2), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(31, 2), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(32, 2), kFormColor);
    EXPECT_EQ(PixelAt(8, 8), kFormColor);  // the strip's bottom-left colour is left out

    form_.button.SetEnabled(false);
    EXPECT_EQ(form_.button.State(), SpeedButton::GlyphState::Disabled);
    EXPECT_EQ(PixelAt(20, 2), RGB(0, 255, 0));
    form_.button.SetEnabled(true);
    form_.button.SetDown(true);
    EXPECT_EQ(PixelAt(20, 2), RGB(255, 255, 0));
    form_.button.MouseDown();
    EXPECT_EQ(PixelAt(20, 2), RGB(0, 0, 255));
}

TEST_F(WindowLayer, TransparentImagesLeaveOutTheBottomLeftColour) {
    WriteBitmap(Theme(L"picture.bmp"), 10, 10,
                [](int x, int y) { return (x < 5 && y >= 5) ? RGB(0, 255, 255) : RGB(0, 128, 0); });
    form_.image.SetBounds(0, 0, 8, 20);
    form_.image.Load(Theme(L"picture.bmp"));
    EXPECT_EQ(PixelAt(1, 8), RGB(0, 255, 255));
    EXPECT_EQ(PixelAt(8, 1), kFormColor);   // clipped to the control
    EXPECT_EQ(PixelAt(1, 12), kFormColor);  // beyond the picture

    form_.image.SetTransparent(true);
    EXPECT_EQ(PixelAt(1, 8), kFormColor);
    EXPECT_EQ(PixelAt(7, 8), RGB(0, 128, 0));

    form_.image.SetTransparentColor(RGB(0, 128, 0));
    EXPECT_EQ(PixelAt(1, 8), RGB(0, 255, 255));
    EXPECT_EQ(PixelAt(7, 8), kFormColor);
}

// A picture with a colour table that holds its left-out colour twice: neither is drawn.
TEST_F(WindowLayer, ATransparentPictureWithAColourTableLeavesOutItsColourOnce) {
    std::string file = "BM";
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file += static_cast<char>(value >> (8 * i));
    };
    put(66, 4), put(0, 4), put(14 + 40 + 12, 4);             // file header
    put(40, 4), put(3, 4), put(1, 4), put(1, 2), put(8, 2);  // 3 x 1, 8 bits
    put(0, 4), put(4, 4), put(0, 4), put(0, 4), put(3, 4), put(0, 4);
    put(0xFF00FF, 4), put(0x008000, 4), put(0xFF00FF, 4);  // magenta, green, magenta
    put(0x000102, 4);                                      // indices 2, 1, 0
    std::ofstream(Theme(L"table.bmp"), std::ios::binary) << file;
    form_.image.SetBounds(0, 0, 3, 1);
    form_.image.SetTransparent(true);
    form_.image.Load(Theme(L"table.bmp"));
    EXPECT_EQ(PixelAt(0, 0), kFormColor);
    EXPECT_EQ(PixelAt(1, 0), RGB(0, 128, 0));
    EXPECT_EQ(PixelAt(2, 0), kFormColor);
}

TEST_F(WindowLayer, AnUnloadablePictureIsReportedAndTheControlKeepsItsLook) {
    WriteBitmap(Theme(L"picture.bmp"), 4, 4, [](int, int) { return RGB(200, 100, 0); });
    form_.image.SetBounds(0, 0, 4, 4);
    form_.image.Load(Theme(L"picture.bmp"));

    SendMessageW(form_.Handle(), WM_APP, 0, 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("missing.bmp"), std::string::npos) << reports[0];
    EXPECT_TRUE(form_.image.Visible());
    EXPECT_EQ(PixelAt(1, 1), RGB(200, 100, 0));

    std::ofstream(Theme(L"text.bmp")) << "[CG]\nnot a picture\n";
    EXPECT_THROW(form_.image.Load(Theme(L"text.bmp")), std::exception);
    // Cut short: the system's loader would read past the end of the file.
    WriteBitmap(Theme(L"cut.bmp"), 300, 200, [](int, int) { return RGB(1, 2, 3); });
    fs::resize_file(Theme(L"cut.bmp"), 1000);
    EXPECT_THROW(form_.image.Load(Theme(L"cut.bmp")), AppError);
    EXPECT_THROW(form_.image.Load(folder_.Path()), std::exception);  // the theme folder itself
    EXPECT_THROW(form_.button.LoadGlyph(Theme(L"missing.bmp")), std::exception);
    EXPECT_EQ(PixelAt(1, 1), RGB(200, 100, 0));
}

// A repaint shows the form's picture at any size, whether its off-screen picture is kept
// from one repaint to the next (small windows) or made for it alone (larger ones).
TEST_F(WindowLayer, ARepaintShowsTheFormAtAnySize) {
    form_.Show();
    const SIZE sizes[] = {{60, 40}, {120, 40}, {30, 20}, {200, 100}, {60, 40}};
    for (const SIZE& size : sizes) {
        const COLORREF color = RGB(size.cx, size.cy, &size - sizes);
        form_.SetClientSize(size.cx, size.cy);
        form_.SetColor(color);
        UpdateWindow(form_.Handle());
        const WindowDC screen(form_.Handle());
        EXPECT_EQ(GetPixel(screen.Get(), size.cx - 1, size.cy - 1), color) << size.cx;
    }
    form_.Hide();
}

// A control that cannot be drawn: the region is still validated, so the failure is
// reported once and not again with every paint.
TEST_F(WindowLayer, AFailingPaintIsReportedOnce) {
    struct Unpaintable : Control {
        void Paint(HDC) const override { throw AppError("cannot paint"); }
    } unpaintable;
    unpaintable.SetBounds(0, 0, 10, 10);
    form_.AddControl(unpaintable);
    form_.Show();
    UpdateWindow(form_.Handle());
    EXPECT_EQ(reports, std::vector<std::string>{"cannot paint"});
    EXPECT_FALSE(GetUpdateRect(form_.Handle(), nullptr, FALSE));
    form_.Hide();
}

// The report's box runs a message loop, in which the failing handler may run again.
TEST_F(WindowLayer, AnErrorWhileAReportShowsIsNotReportedOnTopOfIt) {
    const ScopedMessageBoxHook reentering([&](const std::string& text, const std::string&) {
        reports.push_back(text);
        SendMessageW(form_.Handle(), WM_APP, 0, 0);
    });
    SendMessageW(form_.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(reports.size(), 1u);
    SendMessageW(form_.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(WindowLayer, ClicksReachTheTopmostEnabledControlOrTheForm) {
    int clicks = 0;
    form_.button.SetBounds(0, 0, 20, 20);
    form_.button.OnClick = [&] { ++clicks; };
    const LPARAM inside = MAKELPARAM(5, 5);
    SendMessageW(form_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(form_.Handle(), WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(clicks, 1);

    // Released outside: no click.
    SendMessageW(form_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(form_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 30));
    EXPECT_EQ(clicks, 1);

    EXPECT_EQ(form_.formPresses, 0);

    // A disabled control passes the press to the form, and so does a mouse-through image.
    form_.button.SetEnabled(false);
    SendMessageW(form_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(form_.Handle(), WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form_.formPresses, 1);
    form_.image.SetBounds(0, 0, 20, 20);
    form_.image.SetMouseThrough(true);
    SendMessageW(form_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_EQ(form_.formPresses, 2);
}

TEST_F(WindowLayer, LabelsFillTheirColourUnlessTransparent) {
    Label& label = form_.label;
    label.SetBounds(30, 0, 30, 20);
    label.SetCaption(kYearUnit);
    label.SetColor(RGB(0, 0, 200));
    EXPECT_EQ(PixelAt(58, 18), RGB(0, 0, 200));
    int dark = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 30; x < 44; ++x)
            dark += PixelAt(x, y) == RGB(0, 0, 0);
    }
    EXPECT_GT(dark, 5);  // the character is drawn in the text colour
    label.SetTransparent(true);
    EXPECT_EQ(PixelAt(58, 18), kFormColor);
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

TEST_F(WindowLayer, HintsFollowTheirControls) {
    form_.button.SetBounds(4, 5, 20, 10);
    form_.button.SetHint(kExitHint);
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    EXPECT_EQ(tooltip, nullptr);  // made when the form is first shown
    form_.Show();
    EnumThreadWindows(GetCurrentThreadId(), &FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"終了します");
    EXPECT_EQ(tool.rect.left, 4);
    EXPECT_EQ(tool.rect.bottom, 15);

    form_.button.SetVisible(false);
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_TRUE(IsRectEmpty(&tool.rect));
}

void Type(HWND window, const std::wstring& text) {
    for (const wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

TEST_F(WindowLayer, TheEditLimitCountsShiftJisBytesOfTypedText) {
    form_.Show();
    form_.edit.SetMaxBytes(6);
    Type(form_.edit.Handle(), L"abcdefg");
    EXPECT_EQ(form_.edit.Text(), "abcdef");

    form_.edit.SetText("");
    Type(form_.edit.Handle(), L"a\x3042\x3042\x3042");  // a + three あ: 7 bytes
    EXPECT_EQ(form_.edit.Text(), "a\x82\xA0\x82\xA0");
    Type(form_.edit.Handle(), L"b");
    EXPECT_EQ(form_.edit.Text(),
              "a\x82\xA0\x82\xA0"
              "b");

    form_.edit.SetText("longer than six");  // set by the program: kept whole
    EXPECT_EQ(form_.edit.Text(), "longer than six");
}

TEST_F(WindowLayer, CheckBoxChangesRunTheClickHandling) {
    form_.Show();
    int clicks = 0;
    form_.check.OnClick = [&] { ++clicks; };
    form_.check.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    form_.check.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    SendMessageW(form_.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form_.check.Handle()));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(form_.check.Checked());
}

// Until its form is first shown a control has no window; what is set meanwhile, and the
// notifications it gives, are as its window would have them.
TEST_F(WindowLayer, WindowedControlsAreMadeWithTheirFormsFirstShowing) {
    int changes = 0;
    int clicks = 0;
    form_.edit.OnChange = [&] { ++changes; };
    form_.check.OnClick = [&] { ++clicks; };
    form_.edit.SetText("memo");
    form_.edit.SetTop(7);
    form_.check.SetChecked(true);
    form_.combo.SetItems({"1", "2"});
    form_.combo.SetText("2");
    form_.combo.SetEnabled(false);
    EXPECT_EQ(FindWindowExW(form_.Handle(), nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(form_.edit.Text(), "memo");
    EXPECT_EQ(form_.combo.Item(1), "2");

    form_.Show();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SjisFromWide(WindowText(form_.edit.Handle())), "memo");
    EXPECT_EQ(form_.edit.Bounds().top, 7);
    EXPECT_EQ(SendMessageW(form_.check.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(form_.combo.Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SjisFromWide(WindowText(form_.combo.Handle())), "2");
    EXPECT_FALSE(IsWindowEnabled(form_.combo.Handle()));
}

TEST_F(WindowLayer, ComboListsChangeWithoutTouchingTheText) {
    form_.Show();
    std::vector<std::string> days;
    for (int day = 1; day <= 31; ++day)
        days.push_back(std::to_string(day));
    form_.combo.SetItems(days);
    form_.combo.SetBounds(0, 0, 41, 20);
    form_.combo.SetDropDownCount(8);
    RECT list{};
    SendMessageW(form_.combo.Handle(), CB_GETDROPPEDCONTROLRECT, 0,
                 reinterpret_cast<LPARAM>(&list));
    const auto item = static_cast<int>(SendMessageW(form_.combo.Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(list.bottom - list.top, 8 * item);
    EXPECT_LT(list.bottom - list.top, 9 * item + 30);
    form_.combo.SetText("31");
    form_.combo.ClearItems();
    EXPECT_EQ(form_.combo.ItemCount(), 0);
    EXPECT_EQ(form_.combo.Text(), "31");
    form_.combo.AddItem("\x82\xA0");
    EXPECT_EQ(form_.combo.Item(0), "\x82\xA0");
}

TEST_F(WindowLayer, WindowedControlsTakeTheirThemeColour) {
    form_.Show();
    form_.edit.SetColor(RGB(1, 2, 3));
    const WindowDC dc(form_.Handle());
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form_.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                     reinterpret_cast<LPARAM>(form_.edit.Handle())));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dc.Get()), RGB(1, 2, 3));
}

TEST_F(WindowLayer, AfterAMessageTheFocusGoesToTheNamedControl) {
    form_.Show();
    SetFocus(form_.combo.Handle());
    ShowMessage(kDayInvalid, "", form_.edit.Handle());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(GetFocus(), form_.edit.Handle());
}

class ModalForm : public Form {
  public:
    ModalForm() : Form(L"THariponModalForm", 30, 30) {}
    std::function<void()> whileShown;

  protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != WM_APP)
            return false;
        whileShown();
        return true;
    }
};

// The other windows stay enabled, and refuse the mouse and the keyboard themselves.
TEST_F(WindowLayer, AModalFormBlocksTheOthersUntilItCloses) {
    form_.Show();
    const auto press = [&] {
        SendMessageW(form_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 35));
    };
    ModalForm modal;
    modal.Create();
    LRESULT activation = 0;
    int pressesWhileModal = -1;
    modal.whileShown = [&] {
        activation =
            SendMessageW(form_.Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form_.Handle()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        press();
        pressesWhileModal = form_.formPresses;
        PostMessageW(form_.edit.Handle(), WM_CHAR, L'x', 1);  // through the modal loop
        PostMessageW(modal.Handle(), WM_CLOSE, 0, 0);
    };
    PostMessageW(modal.Handle(), WM_APP, 0, 0);
    modal.ShowModal();
    EXPECT_EQ(activation, MA_NOACTIVATEANDEAT);
    EXPECT_EQ(pressesWhileModal, 0);
    EXPECT_EQ(form_.edit.Text(), "");
    EXPECT_FALSE(modal.Visible());
    press();
    EXPECT_EQ(form_.formPresses, 1);
}

// The steps a timer runs, one at each tick, inside a box's own loop.
std::vector<std::function<void()>> steps;
std::size_t next = 0;
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (next < steps.size())
        steps[next++]();
}

// A notice comes without the keyboard; a key answers it only once the user has given it the
// keyboard, after its moment, and not repeating.
TEST_F(WindowLayer, ANoticeIsNeverAnsweredUnread) {
    HWND box = nullptr;
    const auto key = [&](LPARAM flags) {
        PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, flags);
    };
    const auto open = [&] { return IsWindow(box) && IsWindowVisible(box); };
    steps = {
        [&] {
            box = FindWindowW(L"#32770", L"caption");
            ASSERT_TRUE(open());
            EXPECT_NE(GetActiveWindow(), box);
            key(1);  // typed for another program
        },
        [&] {
            EXPECT_TRUE(open());
            SetActiveWindow(box);  // the user clicks into it
            key(1);
        },
        [&] {
            EXPECT_TRUE(open());
            Sleep(350);
            key(1 | 1 << 30);  // held down
        },
        [&] {
            EXPECT_TRUE(open());
            key(1);
        },
        [&] {
            ADD_FAILURE() << "the notice is still open";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
    };
    next = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, &RunNextStep);
    const ScopedMessageBoxHook onScreen{nullptr};
    ShowNotice("text", "caption", 300);
    KillTimer(nullptr, timer);
    EXPECT_EQ(next, 4u);
}

}  // namespace
}  // namespace haripon
