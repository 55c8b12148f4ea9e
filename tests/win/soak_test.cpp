// A soak of the program's windows in the test's own process: posts from the editor, size
// toggles, rewrites and peel-offs from the memo windows' menus and reminders fired by the
// editor's check and closed with Esc, thousands of each, with the process's GDI and USER
// objects and its private bytes measured after a warm-up and every few hundred rounds.
// None of them may grow. HARIPON_SOAK_ROUNDS sets the number of rounds.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/core/wide_text_win.h"
#include "program_fixture.h"
#include "resource_meters.h"

namespace haripon {
namespace {

using namespace testing_support;

constexpr int kDefaultRounds = 200;
constexpr int kWarmUpRounds = 2 * kSlotCount;  // every slot in both roles, twice
constexpr int kMeasurements = 10;              // after the warm-up
// Private bytes move by a page here and there as the heaps settle; a leak of one small
// object per round, over the rounds between two measurements, goes past this.
constexpr long long kPrivateBytesTolerance = 512 * 1024;

int SoakRounds() {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"HARIPON_SOAK_ROUNDS", text, 16);
    const int rounds = length > 0 && length < 16 ? _wtoi(text) : 0;
    return rounds > 0 ? rounds : kDefaultRounds;
}

// An object of the system, given back when its last owner ends.
using Owned = std::shared_ptr<void>;

Owned StaticWindow(HWND parent) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10,
                                        10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    return Owned(window, [](void* handle) { DestroyWindow(static_cast<HWND>(handle)); });
}

Owned GdiOwned(HGDIOBJ object) {
    return Owned(object, [](void* handle) { DeleteObject(handle); });
}

// The meters see one object come and go, so that a flat row of figures means something.
TEST(ResourceMeters, SeeOneObjectComeAndGo) {
    const Owned owner = StaticWindow(nullptr);  // the thread's first window comes with others
    ASSERT_NE(owner, nullptr);
    Drain();
    constexpr SIZE_T kBlock = 4 << 20;
    const struct {
        const char* what;
        std::function<Owned()> make;
        long gdi;
        long user;
        long long privateBytes;  // at least
    } cases[] = {
        {"brush", [] { return GdiOwned(CreateSolidBrush(RGB(1, 2, 3))); }, 1, 0, 0},
        {"bitmap",
         [] {
             const WindowDC screen;
             return GdiOwned(CreateCompatibleBitmap(screen.Get(), 8, 8));
         },
         1, 0, 0},
        {"top-level window", [] { return StaticWindow(nullptr); }, 0, 1, 0},
        {"child window", [&] { return StaticWindow(static_cast<HWND>(owner.get())); }, 0, 1, 0},
        {"menu",
         [] {
             return Owned(CreatePopupMenu(),
                          [](void* menu) { DestroyMenu(static_cast<HMENU>(menu)); });
         },
         0, 1, 0},
        {"touched memory",
         [] {
             auto* block = static_cast<char*>(
                 VirtualAlloc(nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
             for (SIZE_T at = 0; block && at < kBlock; at += 4096)
                 block[at] = 1;
             return Owned(block, [](void* memory) { VirtualFree(memory, 0, MEM_RELEASE); });
         },
         0, 0, static_cast<long long>(kBlock)},
    };
    for (const auto& object : cases) {
        object.make().reset();  // what the first of its kind brings along stays
        const Resources before = Measure();
        Owned made = object.make();
        ASSERT_NE(made, nullptr) << object.what;
        const Resources with = Measure();
        made.reset();
        const Resources after = Measure();
        EXPECT_EQ(with.gdi - before.gdi, object.gdi) << object.what;
        EXPECT_EQ(with.user - before.user, object.user) << object.what;
        EXPECT_GE(with.privateBytes - before.privateBytes, object.privateBytes) << object.what;
        EXPECT_GT(before.privateBytes, 0) << object.what;
        EXPECT_EQ(after.gdi, before.gdi) << object.what;
        EXPECT_EQ(after.user, before.user) << object.what;
    }
}

class Soak : public ProgramFixture {
  protected:
    void Check() { SendMessageW(editor().Handle(), WM_TIMER, TTPostForm::kChkPstTimTimer, 0); }
    void Tick() { SendMessageW(editor().TimSetCBox.Handle(), BM_CLICK, 0, 0); }
    void WriteMemo(const std::wstring& text) {
        editor().PstEdt.SetText("");
        Type(editor().PstEdt.Handle(), text);
    }
    // Times before the held clock (2026-12-08 09:05): due at once.
    void SetDueTime(int round) {
        const std::string texts[] = {"2026", "12", std::to_string(1 + round % 7),
                                     std::to_string(round % 24), std::to_string(round % 60)};
        ComboBox* boxes[] = {&editor().YearCmb, &editor().MonthCmb, &editor().DayCmb,
                             &editor().TimeLCmb, &editor().TimeMCmb};
        for (int i = 0; i < 5; ++i)
            boxes[i]->SetText(texts[i]);
    }
    void Select(int slot) {
        if (SelectedSlot != slot)
            Click(editor(), editor().PstBtn[slot]);
        ASSERT_EQ(SelectedSlot, slot);
    }
    void ToggleSize(int slot) {
        const std::uint8_t small = SlotTable[slot].SmallDisplay;
        RightClickMemo(slot, small ? kLargerCaption : kSmallerCaption);
        ASSERT_NE(SlotTable[slot].SmallDisplay, small) << slot;
    }
    static std::wstring MemoText(const wchar_t* kind, int round) {
        return kind + std::to_wstring(round) + L" \x30E1\x30E2 & \xFF8A\xFF98";  // メモ & ﾊﾘ
    }
    static std::string Sjis(const std::wstring& text) { return SjisFromWide(text); }
    // Paints the window at once, as the message loop would, without running anything else
    // that waits there (the editor's own check); false when there was nothing to paint.
    static bool PaintNow(const Form& form) {
        const bool invalid = GetUpdateRect(form.Handle(), nullptr, FALSE) != FALSE;
        UpdateWindow(form.Handle());
        return invalid && !GetUpdateRect(form.Handle(), nullptr, FALSE);
    }

    // One slot's memo with a time: posted, resized, rewritten with another time, fired and
    // closed. Another's without: posted, resized and peeled off.
    void Round(int round) {
        const int timed = round % kSlotCount;
        const int plain = (timed + 1 + round / kSlotCount % (kSlotCount - 1)) % kSlotCount;

        ASSERT_NO_FATAL_FAILURE(Select(timed));
        WriteMemo(MemoText(L"timed ", round));
        Tick();
        ASSERT_TRUE(editor().TimSetCBox.Checked());
        SetDueTime(round);
        Click(editor(), editor().SetBtn);
        ASSERT_EQ(SlotTable[timed].Memo, Sjis(MemoText(L"timed ", round)));
        ASSERT_TRUE(app_.MemoWindow(timed).Visible());
        ASSERT_NO_FATAL_FAILURE(ToggleSize(timed));
        ASSERT_TRUE(PaintNow(app_.MemoWindow(timed)));

        RightClickMemo(timed, kRewriteCaption);
        ASSERT_TRUE(editor().EdtBtn.Visible());
        WriteMemo(MemoText(L"rewritten ", round));
        SetDueTime(round + 1);
        Click(editor(), editor().EdtBtn);
        ASSERT_EQ(SlotTable[timed].Memo, Sjis(MemoText(L"rewritten ", round)));
        ASSERT_EQ(SlotTable[timed].Time.Hour, (round + 1) % 24);

        bool shown = false;
        probe_.Post([&] {
            shown = app_.Reminder().Visible() && PaintNow(app_.Reminder());
            PressKeyAsUser(app_.Reminder().Handle(), VK_ESCAPE);
        });
        Check();
        ASSERT_TRUE(probe_.Done());
        ASSERT_TRUE(shown);
        ASSERT_FALSE(app_.Reminder().Visible());
        ASSERT_EQ(SlotTable[timed].Memo, "");
        ASSERT_FALSE(app_.MemoWindow(timed).Visible());

        ASSERT_NO_FATAL_FAILURE(Select(plain));
        ASSERT_FALSE(editor().TimSetCBox.Checked());
        WriteMemo(MemoText(L"plain ", round));
        Click(editor(), editor().SetBtn);
        ASSERT_EQ(SlotTable[plain].Memo, Sjis(MemoText(L"plain ", round)));
        ASSERT_TRUE(app_.MemoWindow(plain).Visible());
        ASSERT_NO_FATAL_FAILURE(ToggleSize(plain));
        ASSERT_TRUE(PaintNow(app_.MemoWindow(plain)));
        RightClickMemo(plain, kPeelOffCaption);
        ASSERT_EQ(SlotTable[plain].Memo, "");
        ASSERT_FALSE(app_.MemoWindow(plain).Visible());

        Drain();
        ASSERT_TRUE(boxes_.empty()) << boxes_.front().text;
    }

    LoopProbe probe_;
};

TEST_F(Soak, ResourcesStayFlat) {
    Start("");
    app_.FirstDisplay();
    ASSERT_TRUE(editor().Visible());
    for (int round = 0; round < kWarmUpRounds; ++round) {
        ASSERT_NO_FATAL_FAILURE(Round(round)) << "warm-up round " << round;
    }

    const int rounds = SoakRounds();
    const int interval = std::max(1, rounds / kMeasurements);
    std::printf(
        "soak: %d rounds after %d of warm-up: %d posts, %d size toggles, %d rewrites, "
        "%d reminders fired and closed, %d peel-offs\n",
        rounds, kWarmUpRounds, 2 * rounds, 2 * rounds, rounds, rounds, rounds);
    std::printf("%8s %6s %6s %14s %9s\n", "round", "GDI", "USER", "private bytes", "seconds");
    const auto start = std::chrono::steady_clock::now();
    const auto report = [&](int round) {
        Drain();
        const Resources now = Measure();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%8d %6ld %6ld %14lld %9.1f\n", round, now.gdi, now.user, now.privateBytes,
                    elapsed.count());
        std::fflush(stdout);
        return now;
    };
    const Resources first = report(0);
    std::vector<std::pair<int, Resources>> points;
    for (int round = 0; round < rounds; ++round) {
        ASSERT_NO_FATAL_FAILURE(Round(kWarmUpRounds + round)) << "round " << round;
        if ((round + 1) % interval == 0 || round + 1 == rounds)
            points.emplace_back(round + 1, report(round + 1));
    }
    for (const auto& [round, point] : points) {
        EXPECT_EQ(point.gdi, first.gdi) << "round " << round;
        EXPECT_EQ(point.user, first.user) << "round " << round;
        EXPECT_LE(point.privateBytes - first.privateBytes, kPrivateBytesTolerance)
            << "round " << round;
    }
}

}  // namespace
}  // namespace haripon
