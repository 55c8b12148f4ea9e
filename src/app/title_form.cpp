#include "app/title_form.h"

#include "app/resource.h"
#include "memo/text_fit.h"
#include "model/editor_operations.h"
#include "model/removed_memos.h"
#include "model/tell_user.h"
#include "model/theme_folder.h"
#include "model/slot_table.h"
#include "model/texts.h"
#include "platform/win32/message_box.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"
#include "theme/theme_pictures.h"

namespace haripon {

namespace {

constexpr UINT_PTR kTitleTimer = 1;
constexpr UINT kTitleMilliseconds = 3000;
constexpr UINT kTrayRetryMilliseconds = 3000;
constexpr int kTrayTries = 20;
// How much of a removed memo its item in the tray menu shows.
constexpr int kRestoredCaptionBytes = 40;

// A call of user32 that older Windows lacks, or null.
template <typename Function>
Function UserCall(const char* name) {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
                : nullptr;
}

// A program run as administrator hears the shell's TaskbarCreated only when it lets it in
// (Windows 7 on).
void LetInFromTheShell(HWND window, UINT message) {
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    if (const auto filter = UserCall<Filter>("ChangeWindowMessageFilterEx"))
        filter(window, message, 1 /* MSGFLT_ALLOW */, nullptr);
}

// The tray's own icon size. The program declares no display scale awareness, so the system
// answers it as at 96 pixels per inch and the shell would enlarge a 16-pixel image; asked as
// a thread aware of the system's scale (Windows 10 1607 on), the size is the real one.
int TrayIconSize() {
    using SetContext = void*(WINAPI*)(void*);
    const auto set = UserCall<SetContext>("SetThreadDpiAwarenessContext");
    void* const previous = set ? set(reinterpret_cast<void*>(-2)) : nullptr;  // system aware
    const int size = GetSystemMetrics(SM_CXSMICON);
    if (previous)
        set(previous);
    return size;
}

}  // namespace

TPTitleForm::TPTitleForm(TrayOwner& owner)
    : Form(kClassName, kWidth, kHeight),
      application_(owner),
      tray_(kTrayIconId, kTrayMessage, kAppName,
            // The icon file's image of the size the tray shows, not one shrunk by the shell.
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HARIPON),
                                          IMAGE_ICON, TrayIconSize(), TrayIconSize(), 0))),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    TitleImg.SetBounds(0, 0, kWidth, kHeight);
    AddControl(TitleImg);

    N1 = PTitlePup.Add(kOpenEditorCaption, [this] { N1Click(); });
    CG1 = PTitlePup.Add(kChangeThemeCaption, [this] { CG1Click(); });
    N4 = PTitlePup.Add(kVersionCaption, [this] { N4Click(); });
    N5 = PTitlePup.AddSubmenu(kRestoreMemoCaption, removedPup_);
    PTitlePup.Add(kExitCaption, [this] { Exit1Click(); });
    PTitlePup.AddSeparator();
    PTitlePup.Add(kCancelCaption);
}

void TPTitleForm::FormCreate() {
    SetAppFolder(application_.Folder());
    RereadThemeFolder();
    StartTimer(kTitleTimer, kTitleMilliseconds);
    LetInFromTheShell(Handle(), taskbarCreated_);
    ShowThemePicture(TitleImg, ThemeFile().String(kTitleKey));
}

void TPTitleForm::FormClose() {
    application_.Shutdown();
}

void TPTitleForm::FormTimer(UINT_PTR id) {
    if (id == kTitleTimer)
        TitleTimerTimer();
    if (id == kTrayRetryTimer && (tray_.Add(Handle()) || ++trayTries_ >= kTrayTries))
        StopTimer(kTrayRetryTimer);
}

void TPTitleForm::FinishTitle() {
    Hide();
    TitleImg.Forget();
}

void TPTitleForm::AddTrayIcon() {
    if (tray_.Add(Handle()))
        return;
    trayTries_ = 1;
    StartTimer(kTrayRetryTimer, kTrayRetryMilliseconds);
}

void TPTitleForm::TitleTimerTimer() {
    StopTimer(kTitleTimer);
    // A message box during start-up runs the message loop early: the first display then
    // waits until every window exists.
    if (!application_.AllWindowsCreated()) {
        application_.FirstDisplayDue();
        return;
    }
    application_.FirstDisplay();
}

void TPTitleForm::TrayIconMessage(const TrayEvent& event) {
    switch (TrayActionFor(event, application_.OpenWindows())) {
        case TrayAction::ShowMenu:
            ShowTrayMenu(event);
            break;
        case TrayAction::OpenEditor:
            TrayIconDoubleClick();
            break;
        // The shell lets a program handling its icon take the foreground.
        case TrayAction::FrontReminder:
            application_.Reminder().BringToFront();
            break;
        case TrayAction::FrontChooser:
            application_.Chooser().BringToFront();
            break;
        case TrayAction::FrontEditor:
            application_.Editor().BringToFront();
            break;
        case TrayAction::FrontVersionBox:
            BringShownMessageToFront();
            break;
        case TrayAction::Ignore:
            break;
    }
}

// At the point the shell gives (by the icon when asked from the keyboard), else at the mouse.
void TPTitleForm::ShowTrayMenu(const TrayEvent& event) {
    POINT at = tray_.MenuPoint(event.X, event.Y);
    if (!event.Version4)
        GetCursorPos(&at);
    SetForegroundWindow(Handle());
    const TrayMenuState state = TrayMenuStateFor(application_.OpenWindows());
    PTitlePup.SetEnabled(N1, state.OpenEditor);
    PTitlePup.SetEnabled(CG1, state.ChangeTheme);
    PTitlePup.SetEnabled(N4, state.ShowVersion);
    FillRestoreMenu(state.RestoreMemo);
    // Closed with Esc (the program still in front, not a click elsewhere): the keyboard goes
    // back to the notification area.
    if (!PTitlePup.Popup(Handle(), at) && event.Version4 && GetForegroundWindow() == Handle())
        tray_.GiveFocusBack();
}

// With none to bring back, or no slot free, the item says so and cannot be chosen. A memo
// another PC's change took off says so.
void TPTitleForm::FillRestoreMenu(bool enabled) {
    removedPup_.Clear();
    const std::vector<RemovedMemo> memos = ReadRemovedMemos();
    const bool full = FirstFreeSlot() == -1;
    PTitlePup.SetCaption(N5, memos.empty() ? kRestoreNoneCaption
                             : full        ? kRestoreNoSlotCaption
                                           : kRestoreMemoCaption);
    PTitlePup.SetEnabled(N5, enabled && !memos.empty() && !full);
    for (const RemovedMemo& memo : memos) {
        const TextRows rows = FitTextToBytes(memo.Memo.Memo, kRestoredCaptionBytes);
        const auto two = [](int value) { return (value < 10 ? "0" : "") + std::to_string(value); };
        const std::string caption =
            rows.Row[0] + (rows.Row[1].empty() ? "" : "...") + "  (" + two(memo.LeftAt.Month) +
            "/" + two(memo.LeftAt.Day) + " " + two(memo.LeftAt.Hour) + ":" +
            two(memo.LeftAt.Minute) +
            (memo.Elsewhere ? std::string(" ") + kRemovedElsewhereMark : "") + ")";
        removedPup_.Add(caption, [this, memo] { application_.RestoreMemo(memo); });
    }
}

// The editor on the selected slot with its stored time.
void TPTitleForm::TrayIconDoubleClick() {
    application_.Editor().Open(EditorOpening::TrayDoubleClick, SelectedSlot);
}

// The editor on the selected slot; its boxes show the current time.
void TPTitleForm::N1Click() {
    application_.Editor().Open(EditorOpening::TrayMenu, SelectedSlot);
}

void TPTitleForm::CG1Click() {
    application_.Chooser().ShowChooser();
}

void TPTitleForm::N4Click() {
    if (VersionBoxOpen)
        return;
    SetVersionBoxOpen(true);
    TellUser(VersionText);
    SetVersionBoxOpen(false);
}

void TPTitleForm::Exit1Click() {
    application_.RequestExit();
}

bool TPTitleForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == kTrayMessage) {
        if (const std::optional<TrayEvent> event = ReadTrayMessage(kTrayIconId, wParam, lParam))
            TrayIconMessage(*event);
        return true;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (tray_.Restore())
            StopTimer(kTrayRetryTimer);
        return true;
    }
    switch (message) {
        // The session ends, or the Restart Manager closes the program (ENDSESSION_CLOSEAPP):
        // the settings are saved and no message box holds anything up.
        case WM_QUERYENDSESSION:
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            if (wParam)
                application_.EndSession((static_cast<DWORD>(lParam) & ENDSESSION_CLOSEAPP) != 0);
            return true;
        default:
            return false;
    }
}

}  // namespace haripon
