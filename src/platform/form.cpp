#include "platform/form.h"

#include "platform/error_report.h"

namespace haripon {

namespace {

constexpr UINT kReleaseMessage = WM_APP + 0x3F0;

void RegisterFormClass(const wchar_t* className, WNDPROC windowProc) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing))
        return;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass))
        ThrowLastError("RegisterClass");
}

// Set while CreateWindowExW runs, so that the first messages find their form.
thread_local Form* formBeingCreated = nullptr;

}  // namespace

Form::~Form() {
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void Form::Create(const wchar_t* className, int clientWidth, int clientHeight) {
    RegisterFormClass(className, &Form::WindowProc);
    RECT frame{0, 0, clientWidth, clientHeight};
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);

    formBeingCreated = this;
    // Tool windows: the program lives in the tray and shows no taskbar buttons.
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", style, 0, 0,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    formBeingCreated = nullptr;
    if (!window)
        ThrowLastError("CreateWindow");
    RunReported([this] { FormCreate(); });
}

bool Form::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void Form::Show() {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
}

void Form::Hide() {
    ShowWindow(handle_, SW_HIDE);
}

void Form::CenterOnScreen() {
    RECT bounds{};
    GetWindowRect(handle_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Close() {
    SendMessageW(handle_, WM_CLOSE, 0, 0);
}

void Form::Release() {
    PostMessageW(handle_, kReleaseMessage, 0, 0);
}

void Form::StartTimer(UINT_PTR id, UINT milliseconds) {
    SetTimer(handle_, id, milliseconds, nullptr);
}

void Form::StopTimer(UINT_PTR id) {
    KillTimer(handle_, id);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form && formBeingCreated) {
        form = formBeingCreated;
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = form->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorReport(error.what());
    } catch (...) {
        ShowErrorReport("Unknown error");
    }
    return result;
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_CLOSE:
            CloseRequested();
            return 0;
        case WM_TIMER:
            FormTimer(wParam);
            return 0;
        case kReleaseMessage:
            DestroyWindow(handle_);
            return 0;
        case WM_NCDESTROY: {
            const HWND window = handle_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            handle_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

void Form::CloseRequested() {
    if (!FormCloseQuery())
        return;
    FormClose();
    if (IsMainForm()) {
        PostQuitMessage(0);
    } else {
        Hide();
    }
}

}  // namespace haripon
