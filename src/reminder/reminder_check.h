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

class ReminderCheck {
  public:
    // The check runs on `timerWindow`'s timer `timerId`; a delivered memo's slot is shown
    // empty in the editor.
    ReminderCheck(Form& timerWindow, UINT_PTR timerId, EditorOperations& editor);

    // The memo windows, which hide a delivered memo, and the window due memos are shown in;
    // they are made after the check's window.
    void Connect(MemoWindowOperations& memos, ReminderWindowOperations& reminder);

    // The first check comes five seconds from now.
    void Start();
    // The timer's handler. The timer is off while the check runs, so that checks never
    // overlap, and on again at its end whatever happened in it.
    void CheckReminders();

  private:
    bool DeliverReminder(int slot);

    Form& timerWindow_;
    const UINT_PTR timerId_;
    EditorOperations& editor_;
    MemoWindowOperations* memos_ = nullptr;
    ReminderWindowOperations* reminder_ = nullptr;
    LineGenerator lines_;
};

}  // namespace haripon
