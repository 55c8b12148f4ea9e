#include "app/application.h"

#include "editor/editor_operations.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "theme/theme_loader.h"

namespace haripon {

Application::Application(std::filesystem::path folder)
    : folder_(std::move(folder)),
      title_(*this),
      memoWindows_{
          {{*this, 0}, {*this, 1}, {*this, 2}, {*this, 3}, {*this, 4}, {*this, 5}, {*this, 6}}} {}

int Application::Run() {
    CreateWindows();
    title_.CenterOnScreen();
    title_.Show();
    if (firstDisplayDue_)
        FirstDisplay();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void Application::CreateWindows() {
    title_.Create();
    RunReported([this] { LoadSlots(); });
    for (TMemoWindow& window : memoWindows_)
        window.Create();
    allWindowsCreated_ = true;
}

// The memo editor's share of start-up: slots cleared, the theme loaded, then the slots
// filled from the settings file.
void Application::LoadSlots() {
    BlockEditorClose = 1;
    VersionBoxOpen = 0;
    AppFolder = folder_;
    ResetSlots();
    LoadTheme();
    SelectedSlot = 0;
    const std::string caption = VersionText;
    if (!ReadSettings())
        ShowMessage(kIniReadFailed, caption);
}

TrayWindows Application::OpenWindows() const {
    TrayWindows windows;
    windows.EditorVisible = editor_ && editor_->Visible();
    windows.VersionBoxOpen = VersionBoxOpen != 0;
    return windows;
}

// Each window on its own: a picture one theme lacks does not keep the others, or the tray
// icon that follows, from appearing.
void Application::ShowPostedMemos() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (SlotTable[slot].Memo.empty())
            continue;
        RunReported([&] { memoWindows_[slot].ShowWindowOfSlot(); });
    }
}

void Application::CloseMemoWindows() {
    for (TMemoWindow& window : memoWindows_)
        window.Close();
}

void Application::FirstDisplay() {
    if (firstDisplayDone_)
        return;
    firstDisplayDone_ = true;
    ShowPostedMemos();
    title_.AddTrayIcon();
    title_.Hide();
}

void Application::Shutdown() {
    // A second close request can arrive while the failure message of the first is open.
    if (shutDown_)
        return;
    shutDown_ = true;
    if (!WriteSettings())
        ShowMessage(kIniWriteFailed);
    ReleaseAllSlots();
    BlockEditorClose = 0;
    CloseMemoWindows();
    title_.RemoveTrayIcon();
}

void Application::RequestExit() {
    BlockEditorClose = 0;
    ReleaseAllSlots();
    title_.Close();
}

void Application::SaveAtSessionEnd() {
    WriteSettings();
}

}  // namespace haripon
