// The reminder check: every five seconds what other copies of the program wrote into the
// settings file is taken, then the clock is compared with every armed memo, and each memo
// that is due is shown by its character in the reminder window, one after the other; once
// its window is closed the memo has been delivered and leaves its slot.
#pragma once

#include <windows.h>

#include "reminder/reminder_rules.h"

namespace haripon {

class EditorOperations;
class Form;
class MemoWindowOperations;
class ReminderWindowOperations;
class SettingsKeeper;

// Told when due reminders start to wait for the end of a presentation, and when they no
// longer wait.
class RemindersWaiting {
  public:
    virtual ~RemindersWaiting() = default;
    virtual void ShowRemindersWaiting(bool waiting) = 0;
};

class ReminderCheck {
  public:
    // The check runs on `timerWindow`'s timer `timerId`; a delivered memo's slot is shown
    // empty in the editor; `keeper` looks at the file and saves.
    ReminderCheck(Form& timerWindow, UINT_PTR timerId, EditorOperations& editor,
                  SettingsKeeper& keeper);

    // The memo windows, which hide a delivered memo, the window due memos are shown in and
    // what tells that they wait; they are made after the check's window.
    void Connect(MemoWindowOperations& memos, ReminderWindowOperations& reminder,
                 RemindersWaiting& waiting);

    // The first check comes five seconds from now.
    void Start();
    // No check any more: the program ends.
    void Stop();
    // The timer's handler. The timer is off while the check runs, so that checks never
    // overlap, and on again at its end whatever happened in it.
    void CheckReminders();

  private:
    bool DeliverReminder(int slot);

    Form& timerWindow_;
    const UINT_PTR timerId_;
    EditorOperations& editor_;
    SettingsKeeper& keeper_;
    MemoWindowOperations* memos_ = nullptr;
    ReminderWindowOperations* reminder_ = nullptr;
    RemindersWaiting* waitingTold_ = nullptr;
    bool waiting_ = false;
    bool stopped_ = false;
    LineGenerator lines_;
};

}  // namespace haripon
