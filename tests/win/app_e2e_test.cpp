// The real program, started in temporary folders.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/title_form.h"
#include "reminder/msg_form.h"
#include "theme/chooser_form.h"
#include "model/texts.h"
#include "process_driver.h"
#include "settings_layout.h"

#include <filesystem>

namespace haripon {
namespace {

using testing_support::FreshSettingsLayout;
using testing_support::kShowMs;
using testing_support::kStartOrEndMs;
using testing_support::ProgramFolder;
using testing_support::ProgramRun;
using testing_support::WaitUntil;

TEST(Program, FirstStartThenCloseWritesTheFreshSettings) {
    ProgramFolder folder;
    ProgramRun run(folder);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    RECT client{};
    GetClientRect(title, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_FALSE(std::filesystem::exists(folder.File("timpsd.ini")));

    PostMessageW(title, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(folder.Read("timpsd.ini"), FreshSettingsLayout());
    EXPECT_FALSE(std::filesystem::exists(folder.File("~$timpsd.ini.tmp")));
}

TEST(Program, StoredMemosAndOtherSectionsSurviveARun) {
    ProgramFolder folder;
    const std::string stored =
        "[FOLDER]\r\nDATFOLDER=DATA\\Yozora\\\r\n[POST]\r\nPOST2MEMO=\" \x83\x5C\x81\x5B \"\r\n"
        "POST2YEAR=2030\r\nPOST2TOP=-5\r\n";
    folder.Write("timpsd.ini", stored);
    ProgramRun run(folder);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    PostMessageW(title, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit());

    const std::string saved = folder.Read("timpsd.ini");
    EXPECT_EQ(saved.rfind("[FOLDER]\r\nDATFOLDER=DATA\\Yozora\\\r\n[POST]\r\n"
                          "POST2MEMO=\" \x83\x5C\x81\x5B \"\r\nPOST2YEAR=2030\r\nPOST2TOP=-5\r\n"
                          "POST1YEAR=0\r\n",
                          0),
              0u)
        << saved;
    EXPECT_NE(saved.find("\r\nPOST2TIMEFLAG=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find(std::string("[VERSION]\r\nVERSION=") + kVersionText + "\r\n"),
              std::string::npos);
}

// The refused copy lets go at once: the first ending while its message is still open, the
// next start runs.
TEST(Program, ASecondCopySaysSoAndLeavesTheFirstAlone) {
    ProgramFolder first;
    ProgramRun running(first);
    const HWND title = running.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);

    ProgramFolder restarted;  // as Windows starts it again after an update: nothing said
    ProgramRun quiet(restarted, L" " + std::wstring(kRestartedArgument));
    ASSERT_TRUE(quiet.WaitForExit());
    EXPECT_EQ(std::make_pair(quiet.ExitCode(), IsWindow(title)), std::make_pair(0ul, TRUE));

    ProgramFolder second;
    ProgramRun again(second);
    const auto box = again.WaitForMessageBox();
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, kAlreadyRunning);
    EXPECT_TRUE(IsWindow(title));
    EXPECT_EQ(running.WaitForWindow(TPTitleForm::kClassName, 0), title);
    PostMessageW(title, WM_CLOSE, 0, 0);
    ASSERT_TRUE(running.WaitForExit());
    EXPECT_EQ(first.Read("timpsd.ini"), FreshSettingsLayout());

    ProgramFolder third;  // restarted by Windows: the Startup folder's copy after it is silent
    ProgramRun next(third, L" " + std::wstring(kRestartedArgument));
    const HWND nextTitle = next.WaitForWindow(TPTitleForm::kClassName);
    EXPECT_NE(nextTitle, nullptr);
    ProgramRun startup(second);
    ASSERT_TRUE(startup.WaitForExit());  // no box holds it
    ProgramRun::PressOk(box);
    ASSERT_TRUE(again.WaitForExit());
    EXPECT_EQ(again.ExitCode(), 0u);
    EXPECT_FALSE(std::filesystem::exists(second.File("timpsd.ini")));
    EXPECT_EQ(again.WaitForWindow(TPTitleForm::kClassName, 0), nullptr);
    PostMessageW(nextTitle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(next.WaitForExit());
}

TEST(Program, AReadOnlySettingsFileIsReportedAndKept) {
    ProgramFolder folder;
    const std::string stored = "[POST]\r\nPOST1MEMO=keep\r\n";
    folder.Write("timpsd.ini", stored);
    SetFileAttributesW(folder.File("timpsd.ini").c_str(), FILE_ATTRIBUTE_READONLY);

    ProgramRun run(folder);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    const auto told = run.WaitForMessageBox();  // at start: the file is read-only
    EXPECT_EQ(told.text, kSettingsFileReadOnly);
    ProgramRun::PressOk(told);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(told.window); }));
    PostMessageW(title, WM_CLOSE, 0, 0);
    const auto box = run.WaitForMessageBox();
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, kIniWriteFailed);
    EXPECT_EQ(box.caption, kVersionText);
    ProgramRun::PressOk(box);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(folder.Read("timpsd.ini"), stored);
}

// A scanner holds the file open (others may read it, not replace it) while the program saves
// at the end: held for a moment, the save waits for it and lands without a word; held until
// the program gives up, after about two seconds, the save fails as it always did, the old
// file intact.
TEST(Program, ASaveOutlastsAFileHeldForAMoment) {
    for (const bool briefly : {true, false}) {
        ProgramFolder folder;
        const std::string stored = "[POST]\r\nPOST1MEMO=kept\r\nPOST1YEAR=-1\r\n";
        folder.Write("timpsd.ini", stored);
        ProgramRun run(folder);
        const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
        ASSERT_NE(run.WaitForWindow(L"TPostForm1", kShowMs, true),
                  nullptr);  // read and shown
        KernelHandle held(CreateFileW(folder.File("timpsd.ini").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        PostMessageW(title, WM_CLOSE, 0, 0);
        const DWORD closedAt = GetTickCount();
        if (briefly) {
            Sleep(1500);
            held.Reset();
            ASSERT_TRUE(run.WaitForExit());
            EXPECT_NE(
                folder.Read("timpsd.ini").find("POST1MEMO=kept\r\nPOST1YEAR=-1\r\nPOST1MONTH"),
                std::string::npos);
        } else {
            const auto box = run.WaitForMessageBox();
            EXPECT_LT(GetTickCount() - closedAt, 4000u);  // it gave up, and soon
            held.Reset();
            EXPECT_EQ(box.text, kIniWriteFailed);
            ProgramRun::PressOk(box);
            ASSERT_TRUE(run.WaitForExit());
            EXPECT_EQ(folder.Read("timpsd.ini"), stored);
        }
    }
}

// A file a program holds at start past the read's patience (one online only is not told):
// reported, never overwritten, and read at a later check, its memo shown then.
TEST(Program, AnUnreadableSettingsFileIsReportedAndReadLater) {
    ProgramFolder folder;
    const std::string stored = "[POST]\r\nPOST1MEMO=precious\r\n";
    folder.Write("timpsd.ini", stored);
    KernelHandle lock(CreateFileW(folder.File("timpsd.ini").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock.Valid());

    ProgramRun run(folder);
    const auto box = run.WaitForMessageBox();
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, kIniReadFailed);
    EXPECT_EQ(box.caption, "");  // the version text is not known before the read
    ProgramRun::PressOk(box);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    Sleep(4000);
    EXPECT_EQ(run.WaitForWindow(L"TPostForm1", 0, true), nullptr);
    lock.Reset();
    EXPECT_NE(run.WaitForWindow(L"TPostForm1", kShowMs, true), nullptr);
    PostMessageW(title, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_NE(folder.Read("timpsd.ini").find("POST1MEMO=precious\r\n"), std::string::npos);
}

// A memo whose time passed while the program was not running is delivered at the first
// check after the start, and the file written at once.
TEST(Program, AMemoDueBeforeTheStartIsDeliveredAtTheFirstCheck) {
    ProgramFolder folder;
    folder.Write("timpsd.ini", "[POST]\r\nPOST1MEMO=overdue\r\nPOST1YEAR=2001\r\n");
    ProgramRun run(folder);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    const DWORD start = GetTickCount();
    const HWND reminder = run.WaitForWindow(TMsgForm::kClassName, kShowMs, true);
    ASSERT_NE(reminder, nullptr);
    // The first check comes five seconds after the editor is made, which is after the title's
    // window; the next one five seconds later.
    EXPECT_LT(GetTickCount() - start, 9000u);
    EXPECT_NE(folder.Read("timpsd.ini").find("POST1MEMO=overdue"), std::string::npos);
    const HWND strip = run.WaitForWindow(L"TPostForm1", 0, true);
    ASSERT_NE(strip, nullptr);

    // Esc before the user gives the window the keyboard does nothing; after the click into it,
    // nothing in its first second, and then it delivers the memo. The click and the keys are
    // sent, handled when the call returns: the moments around each bound what the window saw
    // between the click and a key, however busy the machine. Keys until one comes a second
    // after the click: that one at the latest closes the window.
    PostMessageW(reminder, WM_KEYDOWN, VK_ESCAPE, 1);
    Sleep(1200);
    EXPECT_TRUE(IsWindowVisible(reminder));
    const DWORD clickFrom = GetTickCount();
    SendMessageW(reminder, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    const DWORD clickTo = GetTickCount();
    bool closed = false;
    DWORD keyTo = 0;
    WaitUntil([&] {
        const DWORD keyFrom = GetTickCount();
        SendMessageW(reminder, WM_KEYDOWN, VK_ESCAPE, 1);
        keyTo = GetTickCount();
        closed = !IsWindowVisible(reminder);
        return closed || keyFrom - clickTo >= 1000;
    });
    ASSERT_TRUE(closed) << "an Esc a second after the click was refused";
    EXPECT_GE(keyTo - clickFrom, 1000u) << "an Esc in the first second was taken";
    const auto delivered = [&] {
        return folder.Read("timpsd.ini").find("POST1MEMO=\r\n") != std::string::npos;
    };
    EXPECT_TRUE(WaitUntil(delivered));
    EXPECT_FALSE(IsWindowVisible(reminder));
    EXPECT_FALSE(IsWindowVisible(strip));
    PostMessageW(title, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit());
}

// A synchronising service brings a conflict copy while the program runs: within a minute (the
// file is read whole at least that often) its memo is taken, shown and saved, and the user
// told; a memo whose time has passed comes too, and its reminder shows.
TEST(Program, AConflictCopyArrivingWhileRunningIsTaken) {
    ProgramFolder folder;
    folder.Write("timpsd.ini", "[POST]\r\nPOST1MEMO=here\r\nPOST1YEAR=-1\r\n");
    ProgramRun run(folder);
    ASSERT_NE(run.WaitForWindow(L"TPostForm1", kStartOrEndMs, true), nullptr);
    folder.Write("timpsd-LAPTOP.ini",
                 "[POST]\r\nPOST1MEMO=here\r\nPOST1YEAR=-1\r\nPOST3MEMO=from the laptop\r\n"
                 "POST3YEAR=-1\r\nPOST5MEMO=overdue\r\nPOST5YEAR=2001\r\n");
    const auto box = run.WaitForMessageBox(70000);
    EXPECT_EQ(box.text, std::string(kConflictCopiesTaken) + "\r\ntimpsd-LAPTOP.ini");
    EXPECT_NE(run.WaitForWindow(L"TPostForm3", 0, true), nullptr);
    EXPECT_NE(folder.Read("timpsd.ini").find("POST3MEMO=from the laptop\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder.File("timpsd-LAPTOP.ini.merged")));
    ProgramRun::PressOk(box);
    EXPECT_NE(run.WaitForWindow(TMsgForm::kClassName, kShowMs, true), nullptr);  // "overdue"
}

TEST(Program, TheEndOfTheSessionSaves) {
    ProgramFolder folder;
    ProgramRun run(folder);
    const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(run.WaitForWindow(TChgCgFrm::kClassName), nullptr);  // the start is over
    EXPECT_TRUE(SendMessageW(title, WM_QUERYENDSESSION, 0, 0));
    SendMessageW(title, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(folder.Read("timpsd.ini"), FreshSettingsLayout());
}

// The Restart Manager closes the program while a reminder is on screen: it saves and ends
// without a message box, also when the save fails, and the memo is kept, not delivered.
TEST(Program, TheRestartManagerClosesItWithoutABox) {
    for (const bool readOnly : {false, true}) {
        ProgramFolder folder;
        folder.Write("timpsd.ini", "[POST]\r\nPOST1MEMO=due\r\nPOST1YEAR=2001\r\n");
        ProgramRun run(folder);
        const HWND title = run.WaitForWindow(TPTitleForm::kClassName);
        const HWND reminder = run.WaitForWindow(TMsgForm::kClassName, kShowMs, true);
        ASSERT_NE(reminder, nullptr);
        if (readOnly)
            SetFileAttributesW(folder.File("timpsd.ini").c_str(), FILE_ATTRIBUTE_READONLY);
        for (const HWND window : {reminder, title})
            EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
        SendMessageW(title, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
        EXPECT_TRUE(run.WaitForExit()) << readOnly;
        const std::string saved = folder.Read("timpsd.ini");
        EXPECT_NE(saved.find("POST1MEMO=due\r\n"), std::string::npos);
        EXPECT_EQ(saved.find("[VERSION]") != std::string::npos, !readOnly);
    }
}

}  // namespace
}  // namespace haripon
