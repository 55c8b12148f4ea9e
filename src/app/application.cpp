#include "app/application.h"

#include <algorithm>

#include "model/calendar.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/error_report.h"
#include "platform/win32/message_box.h"

namespace haripon {

// The editor, the memo windows and the reminder window know each other only through their
// operations.
Application::Application(FileName folder)
    : folder_(std::move(folder)), title_(*this), editor_(folder_, *this), memos_(editor_) {
    editor_.Connect(memos_, reminder_, *this);
    SetErrorReportCaption(kAppName);
    SetReasons({kNotAFileOnDiskReason, kTooLargeToReadReason, kSystemErrorReason,
                kUnknownErrorReason, kBitmapNotValidReason, kNoMemoryForPictureReason});
    ListenToSettings(this);
}

Application::~Application() {
    ListenToSettings(nullptr);
}

// The title is on the screen at once, drawn and active, while the other windows load their
// pictures behind it. Only its drawing is done then (and what the system sends to make it
// active); whatever the user or another program posts waits for the message loop.
int Application::Run() {
    title_.Create();
    title_.CenterOnScreen();
    title_.Show();
    for (MSG paint; PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);)
        DispatchMessageW(&paint);
    CreateOtherWindows();
    if (firstDisplayDue_)
        FirstDisplay();
    while (PumpMessage()) {
    }
    return 0;
}

void Application::CreateWindows() {
    title_.Create();
    CreateOtherWindows();
}

void Application::CreateOtherWindows() {
    editor_.Create();
    memos_.Create();
    reminder_.Create();
    chooser_.Create();
    allWindowsCreated_ = true;
}

TrayWindows Application::OpenWindows() const {
    TrayWindows windows;
    windows.ReminderVisible = reminder_.Visible();
    windows.EditorVisible = editor_.Visible();
    windows.ChooserVisible = chooser_.Visible();
    windows.VersionBoxOpen = VersionBoxOpen != 0;
    return windows;
}

void Application::FirstDisplay() {
    if (firstDisplayDone_)
        return;
    firstDisplayDone_ = true;
    TakeConflictCopiesTold();
    memos_.ShowPostedMemos();
    title_.AddTrayIcon();
    // The editor comes before the title goes, so that the focus stays with the program.
    if (FirstUsedSlot() == -1)
        editor_.Open(EditorOpening::FirstDisplay, 0);
    title_.FinishTitle();
}

void Application::Shutdown() {
    // A second close request can arrive while the failure message of the first is open.
    if (shutDown_)
        return;
    shutDown_ = true;
    if (!WriteSettings() && !sessionEnding_)
        ShowMessage(kIniWriteFailed, VersionText);
    ReleaseAllSlots();
    SetBlockEditorClose(false);
    memos_.CloseMemoWindows();
    editor_.Close();
    title_.RemoveTrayIcon();
}

SlotSet Application::SlotsBeingEdited() const {
    SlotSet editing;
    editing[SelectedSlot] = editor_.EditsSelectedSlot();
    return editing;
}

// Before every window exists, the first display shows the slots as they are.
void Application::SlotsChangedElsewhere(const SlotSet& slots) {
    for (int slot = 0; allWindowsCreated_ && slot < kSlotCount; ++slot) {
        if (!slots[slot])
            continue;
        memos_.SlotChangedElsewhere(slot);
        editor_.SlotChangedElsewhere(slot);
    }
}

// Told once a run, and not while the session ends; after the save that kept them, not in
// the middle of it.
void Application::MemosKept() {
    if (keptMemosTold_ || sessionEnding_)
        return;
    keptMemosTold_ = true;
    title_.Later(
        [] { ShowMessage(std::string(kMemosKept) + "\r\n" + kKeptMemosFile, VersionText); });
}

// The memos of the synchronising services' conflict copies, unless their time has come
// (delivered elsewhere, most likely), taken once every window exists; the user is told.
void Application::TakeConflictCopiesTold() {
    ReadClockIntoLocalNow();
    const std::vector<std::string> copies = TakeConflictCopies([](const StoredSlot& memo) {
        return memo.TimeFlag == 0 ||
               !MomentReached({memo.Year, memo.Month, memo.Day, memo.Hour, memo.Minute}, LocalNow);
    });
    if (copies.empty())
        return;
    std::string message = kConflictCopiesTaken;
    for (const std::string& copy : copies)
        message += "\r\n" + copy;
    ShowMessage(message, VersionText);
}

void Application::ShowRemindersWaiting(bool waiting) {
    title_.SetTrayTip(waiting ? kReminderWaitingTip : kAppName);
}

// Out of the save that found the file broken; at start the editor tells it.
void Application::BrokenFileSetAside() {
    title_.Later([] {
        if (const std::string told = SettingsSetAside(); !told.empty())
            ShowMessage(told, VersionText);
    });
}

// Brought back once: not when another copy on the folder did so meanwhile, nor into the slot
// the user is writing in. It leaves the file of removed memos once it is saved.
void Application::RestoreMemo(const RemovedMemo& memo) {
    const std::vector<RemovedMemo> removed = ReadRemovedMemos();
    if (std::find(removed.begin(), removed.end(), memo) == removed.end())
        return;
    const int slot = SlotToRestoreInto(memo, SlotTable, SlotsBeingEdited());
    if (slot < 0)
        return;
    ReadClockIntoLocalNow();
    StoreSlot(slot, AsRestored(memo, LocalNow));
    memos_.MemoPosted(slot);
    editor_.SlotChangedElsewhere(slot);
    if (!WriteSettings()) {
        ShowMessage(kIniWriteFailed, VersionText);
        return;
    }
    ForgetRemovedMemo(memo);
}

void Application::RequestExit() {
    SetBlockEditorClose(false);
    ReleaseAllSlots();
    title_.Close();
}

void Application::EndSession(bool closing) {
    sessionEnding_ = true;
    reminder_.CancelModal();
    if (closing) {
        RequestExit();  // its shutdown saves
    } else {
        WriteSettings();
    }
}

}  // namespace haripon
