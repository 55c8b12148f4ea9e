#include "app/title_form.h"

#include "app/application.h"
#include "model/settings.h"
#include "model/slot_table.h"
#include "platform/app_path.h"

namespace haripon {

namespace {
constexpr UINT_PTR kTitleTimer = 1;
constexpr UINT kTitleMilliseconds = 3000;
}  // namespace

void TitleForm::Create() {
    Form::Create(L"TPTitleForm", kWidth, kHeight);
}

void TitleForm::FormCreate() {
    AppFolder = ExecutableFolder();
    ThemeFolder = ReadThemeFolder();
    StartTimer(kTitleTimer, kTitleMilliseconds);
}

void TitleForm::FormClose() {
    application_.Shutdown();
}

void TitleForm::FormTimer(UINT_PTR id) {
    if (id == kTitleTimer)
        TitleTimerTimer();
}

void TitleForm::TitleTimerTimer() {
    StopTimer(kTitleTimer);
    // A message box during start-up runs the message loop early: the first display then
    // waits until every window exists.
    if (!application_.AllWindowsCreated()) {
        application_.FirstDisplayDue();
        return;
    }
    application_.FirstDisplay();
}

bool TitleForm::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    switch (message) {
        case WM_QUERYENDSESSION:
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            if (wParam)
                application_.SaveAtSessionEnd();
            result = 0;
            return true;
        default:
            return false;
    }
}

}  // namespace haripon
