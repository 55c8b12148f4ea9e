// The program from start to end: the windows in their fixed order, the first display and
// the one shutdown sequence.
#pragma once

#include "app/title_form.h"
#include "model/removed_memos.h"
#include "model/settings.h"
#include "model/settings_keeper.h"
#include "app/tray_rules.h"
#include "editor/editor_form.h"
#include "memo/memo_windows.h"
#include "reminder/msg_form.h"
#include "theme/chooser_form.h"

namespace haripon {

// The argument with which Windows starts the program again after a restart for an update:
// a copy so started ends without a word where another runs already.
inline constexpr wchar_t kRestartedArgument[] = L"/restarted";

class Application : public TrayOwner, public SettingsKeeper, public RemindersWaiting {
  public:
    // `folder`: where the program's files are, normally the executable's folder.
    explicit Application(FileName folder);

    // Creates the windows, runs the message loop and returns the exit code.
    int Run();
    // The windows in their fixed order, each loading what it needs.
    void CreateWindows();

    const FileName& Folder() const override { return folder_; }
    TPTitleForm& Title() { return title_; }
    TTPostForm& Editor() override { return editor_; }
    TMemoWindow& MemoWindow(int slot) { return memos_.Window(slot); }
    TMsgForm& Reminder() override { return reminder_; }
    TChgCgFrm& Chooser() override { return chooser_; }
    // Which windows are open, for the tray icon's rules.
    TrayWindows OpenWindows() const override;

    bool AllWindowsCreated() const override { return allWindowsCreated_; }
    // The title timer fired before the last window was created.
    void FirstDisplayDue() override { firstDisplayDue_ = true; }
    // After the title: memo windows of posted slots, tray icon, editor if no memo.
    void FirstDisplay() override;
    // The close handler of the title window.
    void Shutdown() override;
    // Ending from the tray menu or the editor: the title window's close runs Shutdown.
    void RequestExit() override;
    // A memo taken off by a slip posted back: into its own slot when free, else the first
    // free one, at its place, with its timer while that is ahead.
    void RestoreMemo(const RemovedMemo& memo) override;

    // Every save and every look at the settings file, and what it brought shown.
    bool SaveSettings(const LocalTime& now) override;
    void FollowSettingsFile(const LocalTime& now) override;
    // The slots whose memo the user is editing now: what another copy wrote into one of them
    // waits until the user is done.
    SlotSet SlotsBeingEdited() const;
    // The tray icon's tip says that a reminder waits for the end of a presentation.
    void ShowRemindersWaiting(bool waiting) override;
    // The session ends, or the Restart Manager closes the program (`closing`): what changed
    // since the last save is saved, without a message box; a reminder on screen is kept, not
    // delivered; for the Restart Manager the program then ends.
    void EndSession(bool closing) override;

  private:
    void CreateOtherWindows();
    void TakeConflictCopiesTold(const LocalTime& now);
    void ShowSettingsNews(const SettingsNews& news);
    void AnnounceKeptMemos();

    FileName folder_;
    TPTitleForm title_;
    TTPostForm editor_;
    MemoWindows memos_;
    TMsgForm reminder_;
    TChgCgFrm chooser_;
    bool allWindowsCreated_ = false;
    bool firstDisplayDue_ = false;
    bool firstDisplayDone_ = false;
    bool shutDown_ = false;
    bool sessionEnding_ = false;
    bool announcingKept_ = false;
};

}  // namespace haripon
