#include "app/application.h"

#include <algorithm>

#include "model/broken_file.h"
#include "model/conflict_copies.h"
#include "model/kept_memos.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "model/tell_user.h"
#include "model/texts.h"
#include "platform/win32/error_report.h"

namespace haripon {

// The editor, the memo windows and the reminder window know each other only through their
// operations.
Application::Application(FileName folder)
    : folder_(std::move(folder)),
      title_(*this),
      editor_(folder_, *this, *this),
      memos_(editor_, *this) {
    editor_.Connect(memos_, reminder_, *this);
    SetErrorReportCaption(kAppName);
    SetReasons({kNotAFileOnDiskReason, kTooLargeToReadReason, kSystemErrorReason,
                kUnknownErrorReason, kBitmapNotValidReason, kNoMemoryForPictureReason});
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
    TakeConflictCopiesTold(ReadClockIntoLocalNow());
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
    editor_.StopReminderCheck();
    SaveSettings(ReadClockIntoLocalNow());
    ReleaseAllSlots();
    SetBlockEditorClose(false);
    memos_.CloseMemoWindows();
    editor_.Close();
    title_.RemoveTrayIcon();
}

// Not told while the session ends: nobody would read it.
bool Application::SaveSettings(const LocalTime& now) {
    const SettingsSaved saved = WriteSettings(now, SlotsBeingEdited());
    ShowSettingsNews(saved.News);
    if (!saved.Done && !sessionEnding_)
        TellUser(kIniWriteFailed);
    return saved.Done;
}

void Application::FollowSettingsFile(const LocalTime& now) {
    const SettingsNews news = haripon::FollowSettingsFile(now, SlotsBeingEdited());
    ShowSettingsNews(news);
    if (news.FileRead && firstDisplayDone_)
        TakeConflictCopiesTold(now);
}

SlotSet Application::SlotsBeingEdited() const {
    SlotSet editing;
    editing[SelectedSlot] = editor_.EditsSelectedSlot();
    return editing;
}

// Before every window exists, the first display shows the slots as they are. The notices
// come after whatever the caller says of the save itself.
void Application::ShowSettingsNews(const SettingsNews& news) {
    for (int slot = 0; allWindowsCreated_ && slot < kSlotCount; ++slot) {
        if (!news.Changed[slot])
            continue;
        memos_.SlotChangedElsewhere(slot);
        editor_.SlotChangedElsewhere(slot);
    }
    if (news.MemosKept || news.FileRead)
        AnnounceKeptMemos();
    for (std::string told : {SettingsSetAside(), RemovedMemosRefused()}) {
        if (!told.empty())
            title_.Later([told = std::move(told)] { TellUserUnasked(told); });
    }
}

// Memos kept for want of a free slot, here or on another PC, are told on every PC until a
// user has seen them; not while the session ends.
void Application::AnnounceKeptMemos() {
    if (announcingKept_ || sessionEnding_)
        return;
    std::vector<RemovedMemo> unseen = UnseenKeptMemos();
    if (unseen.empty())
        return;
    announcingKept_ = true;
    title_.Later([this, unseen = std::move(unseen)] {
        TellUserUnasked(std::string(kMemosKept) + "\r\n" + kKeptMemosFile + "\r\n\r\n" +
                        kMemosKeptRestore);
        MarkKeptMemosSeen(unseen);
        announcingKept_ = false;
    });
}

// The memos of the synchronising services' conflict copies, taken once every window exists
// and whenever the file is read again; the user is told.
void Application::TakeConflictCopiesTold(const LocalTime& now) {
    const ConflictCopiesTaken taken = TakeConflictCopies(now, SlotsBeingEdited());
    ShowSettingsNews(taken.News);
    if (taken.Names.empty())
        return;
    std::string message = kConflictCopiesTaken;
    for (const std::string& copy : taken.Names)
        message += "\r\n" + copy;
    // Told once the check that took them is over: the notice may wait long for its reader.
    title_.Later([message = std::move(message)] { TellUserUnasked(message); });
}

void Application::ShowRemindersWaiting(bool waiting) {
    title_.SetTrayTip(waiting ? kReminderWaitingTip : kAppName);
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
    const DateTimeRecord& now = ReadClockIntoLocalNow();
    StoreSlot(slot, AsRestored(memo, now));
    memos_.MemoPosted(slot);
    editor_.SlotChangedElsewhere(slot);
    if (SaveSettings(now))
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
        SaveSettings(ReadClockIntoLocalNow());
    }
}

}  // namespace haripon
