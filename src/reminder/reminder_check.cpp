#include "reminder/reminder_check.h"

#include <algorithm>
#include <string>

#include "memo/memo_operations.h"
#include "model/editor_operations.h"
#include "model/settings.h"
#include "model/settings_keeper.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "platform/win32/form.h"
#include "platform/win32/notification_state.h"
#include "reminder/reminder_operations.h"

namespace haripon {

ReminderCheck::ReminderCheck(Form& timerWindow, UINT_PTR timerId, EditorOperations& editor,
                             SettingsKeeper& keeper)
    : timerWindow_(timerWindow), timerId_(timerId), editor_(editor), keeper_(keeper) {}

void ReminderCheck::Connect(MemoWindowOperations& memos, ReminderWindowOperations& reminder,
                            RemindersWaiting& waiting) {
    memos_ = &memos;
    reminder_ = &reminder;
    waitingTold_ = &waiting;
}

void ReminderCheck::Start() {
    if (!stopped_)
        timerWindow_.StartTimer(timerId_, kCheckMilliseconds);
}

void ReminderCheck::Stop() {
    stopped_ = true;
    timerWindow_.StopTimer(timerId_);
}

// Until the reminder window exists nothing is due.
void ReminderCheck::CheckReminders() {
    timerWindow_.StopTimer(timerId_);
    struct TimerOnAgain {
        ReminderCheck& check;
        ~TimerOnAgain() {
            if (check.timerWindow_.Handle())
                check.Start();
        }
    } const timerOnAgain{*this};
    if (!reminder_ || !reminder_->Ready())
        return;
    // What other copies of the program wrote comes first: a memo delivered there is not shown
    // here again.
    const DateTimeRecord& now = ReadClockIntoLocalNow();
    keeper_.FollowSettingsFile(now);
    std::vector<int> due = DueSlots(SlotTable, now);
    // A memo whose change from the file waits may have been delivered elsewhere.
    due.erase(std::remove_if(due.begin(), due.end(), FileChangeWaits), due.end());
    // While the user presents, or a full-screen program runs, a due memo waits: it is shown
    // at the first check after that ends.
    const bool waiting = !due.empty() && !UserTakesNotifications();
    if (waiting != waiting_)
        waitingTold_->ShowRemindersWaiting(waiting);
    waiting_ = waiting;
    if (waiting)
        return;
    for (const int slot : due) {
        if (!DeliverReminder(slot))
            return;
    }
}

// A picture the theme lacks does not hold the memo back: the error is reported and the
// memo shown, and delivered, without it. While that report, or one of an earlier slot,
// was open, the user may have changed the slot: it is shown only if it is still due, and
// emptied only if it still holds what was shown. The window's closing is an event of its
// own, with the clock read anew. False when the program ends meanwhile.
bool ReminderCheck::DeliverReminder(int slot) {
    const MemoSlot& due = SlotTable[slot];
    const std::uint32_t drawn = lines_.Draw();
    reminder_->ShowCharacter(due.SlotTheme.TimerCharFile);
    if (!IsDue(due, LocalNow))
        return true;
    const std::string shown = due.Memo;
    reminder_->DrawReminderLine(ChosenLine(due.SlotTheme, drawn));
    reminder_->DrawReminderMemo(shown);
    if (!reminder_->ShowReminder())
        return false;
    if (due.Memo != shown)
        return true;

    const DateTimeRecord& closed = ReadClockIntoLocalNow();
    const Departure delivered = TakeMemoOut(slot, Leaving::Delivered, closed);
    editor_.SlotDelivered(slot);
    memos_->HideMemoWindow(slot);
    if (delivered.SaveNow)
        keeper_.SaveSettings(closed);
    return true;
}

}  // namespace haripon
