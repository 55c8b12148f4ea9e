// What the tray window asks of the program: the start's first display, the icon's and the
// menu's acts, and the end.
#pragma once

#include "app/tray_rules.h"
#include "editor/editor_form.h"
#include "model/removed_memos.h"
#include "theme/chooser_form.h"

namespace haripon {

class TrayOwner : public ProgramExit {
  public:
    // Where the program's files are.
    virtual const FileName& Folder() const = 0;
    virtual bool AllWindowsCreated() const = 0;
    // The title timer fired before the last window was created.
    virtual void FirstDisplayDue() = 0;
    // After the title: memo windows of posted slots, tray icon, editor if no memo.
    virtual void FirstDisplay() = 0;
    // The title window's close: the one shutdown sequence.
    virtual void Shutdown() = 0;
    // Which windows are open, for the tray icon's rules.
    virtual TrayWindows OpenWindows() const = 0;
    virtual Form& Reminder() = 0;
    virtual TChgCgFrm& Chooser() = 0;
    virtual TTPostForm& Editor() = 0;
    virtual void RestoreMemo(const RemovedMemo& memo) = 0;
    // The session ends, or the Restart Manager closes the program (`closing`).
    virtual void EndSession(bool closing) = 0;
};

}  // namespace haripon
