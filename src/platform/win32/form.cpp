#include "platform/win32/form.h"

#include <oleacc.h>

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/win32/controls.h"
#include "platform/win32/error_report.h"
#include "platform/core/wide_text_win.h"
#include "platform/core/window_geometry.h"
#include "platform/win32/windowed_controls.h"

namespace haripon {

namespace {

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
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass))
        ThrowLastError("RegisterClass");
}

constexpr wchar_t kFormProperty[] = L"Haripon.Form";

// Set while CreateWindowExW runs, so that the first messages find their form.
thread_local Form* formBeingCreated = nullptr;

// The innermost of the forms shown modally; each knows the one it was shown above.
thread_local Form* innermostModal = nullptr;

// Makes the forms' elements for assistive technology: set where the program starts.
Form::ElementMaker elementMaker = nullptr;

// What the user does with the mouse and the keyboard, as it reaches a window.
bool IsInputMessage(UINT message) {
    return message == WM_MOUSEACTIVATE || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

POINT PointFrom(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

Form::~Form() {
    ForgetElement();
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        RemovePropW(handle_, kFormProperty);
        DestroyWindow(handle_);
    }
}

Form::Form(std::wstring className, int clientWidth, int clientHeight, DWORD extraExStyle)
    : className_(std::move(className)),
      designWidth_(clientWidth),
      designHeight_(clientHeight),
      extraExStyle_(extraExStyle) {}

void Form::Create() {
    RegisterFormClass(className_.c_str(), &Form::WindowProc);
    formBeingCreated = this;
    // Tool windows: the program lives in the tray and shows no taskbar buttons.
    const HWND window = CreateWindowExW(
        WS_EX_TOOLWINDOW | extraExStyle_, className_.c_str(), L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
        designWidth_, designHeight_, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    formBeingCreated = nullptr;
    if (!window)
        ThrowLastError("CreateWindow");
    for (const Control* control : controls_)
        ControlChanged(*control);
    CreateWindowedControls();
    RunReported([this] { FormCreate(); });
}

bool Form::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void Form::Show(bool activate) {
    const bool wasVisible = Visible();
    if (!hintsMade_)
        MakeChildWindows();
    const UINT noActivate = activate ? 0 : SWP_NOACTIVATE;
    if (stayOnTop_ && !wasVisible) {
        SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | noActivate);
    } else if (activate) {
        ShowWindow(handle_, SW_SHOW);
    } else {
        ShowWindow(handle_, SW_SHOWNOACTIVATE);
    }
    if (activate)
        SetForegroundWindow(handle_);
    if (!wasVisible)
        FormShow();
}

void Form::Hide() {
    EndModal();
    ShowWindow(handle_, SW_HIDE);
}

void Form::BringToFront() {
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(handle_);
}

void Form::SetStayOnTop(bool onTop) {
    stayOnTop_ = onTop;
    if (onTop && !Visible())
        return;  // in one call with the showing
    SetWindowPos(handle_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

void Form::SetClientSize(int width, int height) {
    RECT client{};
    GetClientRect(handle_, &client);
    if (client.right == width && client.bottom == height)
        return;  // moving or sizing a window costs a call to the server, even for nothing
    SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetCaption(std::string_view caption) {
    if (caption_ == caption)
        return;  // a window's text costs a call to the server, even for nothing
    caption_ = caption;
    SetWindowTextW(handle_, WideFromSjis(caption).c_str());
}

void Form::SetColor(COLORREF color) {
    color_ = color;
    if (handle_)
        InvalidateRect(handle_, nullptr, FALSE);
}

void Form::Close() {
    SendMessageW(handle_, WM_CLOSE, 0, 0);
}

void Form::Release() {
    PostMessageW(handle_, kFormReleaseMessage, 0, 0);
}

void Form::Later(std::function<void()> action) {
    later_.push_back(std::move(action));
    PostMessageW(handle_, kFormLaterMessage, 0, 0);
}

void Form::StartTimer(UINT_PTR id, UINT milliseconds) {
    SetTimer(handle_, id, milliseconds, nullptr);
}

void Form::StopTimer(UINT_PTR id) {
    KillTimer(handle_, id);
}

// The other windows are not disabled, which the window system would have to tell every one
// of them: they refuse the mouse and the keyboard themselves while a form is modal above
// them (TakesNoInput), and the loop does not deliver such input to their children.
bool Form::ShowModal(bool activate) {
    struct Modal {
        Form& form;
        ~Modal() {
            form.EndModal();
            form.modal_ = false;
        }
    } const modal{*this};
    modalBelow_ = innermostModal;
    innermostModal = this;
    modal_ = true;
    modalCancelled_ = false;
    Show(activate);
    while (Visible()) {
        if (!PumpMessage()) {
            PostQuitMessage(0);  // for the loop this one runs in
            return false;
        }
    }
    return !std::exchange(modalCancelled_, false);
}

void Form::CancelModal() {
    if (!modal_)
        return;
    modalCancelled_ = true;
    Hide();
}

// The other windows take input again before the modal one goes, so that the activation
// passes to one of them and not to another program.
void Form::EndModal() {
    if (!modal_)
        return;
    for (Form** link = &innermostModal; *link; link = &(*link)->modalBelow_) {
        if (*link == this) {
            *link = modalBelow_;
            break;
        }
    }
    modalBelow_ = nullptr;
}

bool Form::TakesNoInput() const {
    return innermostModal && innermostModal != this;
}

void Form::StartDragMove() {
    constexpr WPARAM kMoveByCaption = 0xF012;  // SC_MOVE | HTCAPTION
    SendMessageW(handle_, WM_SYSCOMMAND, kMoveByCaption, 0);
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(
            {work.left, work.top, work.right, work.bottom});
    }
    return TRUE;
}

std::optional<std::vector<ScreenRect>>& HeldWorkAreas() {
    static std::optional<std::vector<ScreenRect>> areas;
    return areas;
}

// Each monitor's work area: the monitor less the taskbar and other docked bars.
std::vector<ScreenRect> WorkAreas() {
    if (HeldWorkAreas())
        return *HeldWorkAreas();
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    if (areas.empty()) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        areas.push_back({work.left, work.top, work.right, work.bottom});
    }
    return areas;
}

}  // namespace

ScopedWorkAreas::ScopedWorkAreas(std::vector<ScreenRect> areas)
    : previous_(std::exchange(HeldWorkAreas(), std::move(areas))) {}

ScopedWorkAreas::~ScopedWorkAreas() {
    HeldWorkAreas() = std::move(previous_);
}

ScreenRect Form::ScreenBounds() const {
    RECT window{};
    GetWindowRect(handle_, &window);
    return {window.left, window.top, window.right, window.bottom};
}

void Form::MoveTo(WindowPlace place) {
    home_.reset();
    Place(place);
}

void Form::Place(WindowPlace place) {
    RECT window{};
    GetWindowRect(handle_, &window);
    if (window.left != place.Left || window.top != place.Top)
        SetWindowPos(handle_, nullptr, place.Left, place.Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Into the work area of the monitor it was dropped on: it may stay on any monitor, and
// never under the taskbar.
void Form::WMExitSizeMove() {
    MoveTo(PullBack(ScreenBounds(), WorkAreas()));
}

bool Form::KeepOnScreen() {
    const ScreenRect bounds = ScreenBounds();
    const std::optional<WindowPlace> place =
        BringOnScreen(bounds, WorkAreas(), keptWhollyOnScreen_);
    if (!place)
        return false;
    if (!home_)
        home_ = WindowPlace{bounds.Left, bounds.Top};
    Place(*place);
    return true;
}

bool Form::ReturnHome() {
    if (!home_)
        return false;
    const WindowPlace home = *home_;
    home_.reset();
    Place(home);
    KeepOnScreen();
    return true;
}

void Form::AddWindowedControl(WindowedControl& control) {
    windowedControls_.push_back(&control);
}

WindowedControl* Form::WindowedControlOf(HWND child) const {
    if (!child)
        return nullptr;  // a command of the form itself, or a control without its window
    for (WindowedControl* control : windowedControls_) {
        if (control->Handle() == child)
            return control;
    }
    return nullptr;
}

void Form::AddControl(Control& control) {
    control.form_ = this;
    controls_.push_back(&control);
    control.Invalidate();
    ControlChanged(control);
}

void Form::ControlChanged(const Control& control) {
    if (!handle_)
        return;
    UpdateHintTool(control);
    FocusFollows(control);
}

// The control with the keyboard went out of use (hidden, disabled): once the change is done,
// the one shown at its place takes the keyboard (貼 and 書 share one), else the next.
void Form::FocusFollows(const Control& control) {
    if (handle_ && &control == focused_ && !control.TabStop() && GetFocus() == handle_)
        Later([this] { KeepFocusUsable(); });
}

void Form::KeepFocusUsable() {
    if (!focused_ || focused_->TabStop() || GetFocus() != handle_)
        return;
    for (const TabStop& stop : tabOrder_) {
        if (stop.graphic && stop.graphic->TabStop() &&
            EqualRect(&stop.graphic->Bounds(), &focused_->Bounds())) {
            FocusControl(stop.graphic);
            return;
        }
    }
    Tab(true);
}

HWND Form::Hints() {
    if (!hints_) {
        hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    return hints_;
}

void Form::MakeChildWindows() {
    for (WindowedControl* control : windowedControls_)
        control->MakeWindow();
    MakeHints();
}

void Form::MakeHints() {
    hintsMade_ = true;
    for (const Control* control : controls_)
        UpdateHintTool(*control);
    for (const auto& [child, hint] : childHints_)
        SetChildHint(child, hint);
}

void Form::SetChildHint(HWND child, std::string_view hint) {
    const auto known = std::find_if(childHints_.begin(), childHints_.end(),
                                    [&](const auto& entry) { return entry.first == child; });
    if (known == childHints_.end())
        childHints_.emplace_back(child, hint);
    else
        known->second = hint;
    if (!hintsMade_)
        return;
    std::wstring text = WideFromSjis(hint);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = text.data();
    SendMessageW(Hints(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty())
        SendMessageW(Hints(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::UpdateHintTool(const Control& control) {
    if (!hintsMade_ || (control.Hint().empty() && !hints_))
        return;
    const auto index = static_cast<std::size_t>(
        std::find(controls_.begin(), controls_.end(), &control) - controls_.begin());
    std::wstring text = WideFromSjis(control.Hint());
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = index + 1;
    tool.rect = control.Visible() ? control.Bounds() : RECT{};
    tool.lpszText = text.data();
    hintsGiven_.resize(controls_.size());
    std::string& given = hintsGiven_[index];
    // A control shown, hidden or moved with the same hint: the tool only changes its place.
    if (!given.empty() && given == control.Hint()) {
        SendMessageW(Hints(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    SendMessageW(Hints(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty())
        SendMessageW(Hints(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    given = control.Hint();
}

void Form::PaintClient(HDC dc) const {
    RECT client{};
    GetClientRect(handle_, &client);
    const BrushHandle background(CreateSolidBrush(color_));
    FillRect(dc, &client, background.Get());
    for (const Control* control : controls_) {
        if (!control->Visible())
            continue;
        const RECT& bounds = control->Bounds();
        const SavedDC saved(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        control->Paint(dc);
    }
    if (focused_ && focused_->TabStop() && GetFocus() == handle_) {
        RECT ring = focused_->Bounds();
        DrawFocusRect(dc, &ring);
    }
}

Bitmap Form::RenderClient() const {
    RECT client{};
    GetClientRect(handle_, &client);
    Bitmap picture(client.right, client.bottom);
    const MemoryDC dc(picture.Handle());
    PaintClient(dc.Get());
    return picture;
}

namespace {

// The off-screen picture of a small window's repaint, kept from one repaint to the next with
// its device context: a memo strip repaints at every post and every step of a drag, and a
// new picture and device context for each cost a third of the repaint. A larger window's
// picture is made for its repaint alone.
class KeptCanvas {
  public:
    static constexpr int kMostPixels = 16384;  // 64 KB at 32 bits a pixel

    // A device context holding a picture of at least the size in the format of `screen`;
    // null for a window larger than is kept.
    HDC For(HDC screen, int width, int height) {
        if (width * height > kMostPixels)
            return nullptr;
        if (width > picture_.Width() || height > picture_.Height()) {
            const int wider = std::max(width, picture_.Width());
            const int higher = std::max(height, picture_.Height());
            const bool both = wider * higher <= kMostPixels;
            dc_.reset();
            picture_ = Bitmap(screen, both ? wider : width, both ? higher : height);
            dc_.emplace(picture_.Handle());
        }
        return dc_->Get();
    }

  private:
    Bitmap picture_;
    std::optional<MemoryDC> dc_;
};

}  // namespace

// The region is validated even when rendering fails, so that a failure is reported once and
// not again with every paint.
void Form::Paint() {
    const PaintDC screen(handle_);
    RECT client{};
    GetClientRect(handle_, &client);
    static KeptCanvas kept;
    HDC canvas = kept.For(screen.Get(), client.right, client.bottom);
    std::optional<Bitmap> buffer;  // a larger window's, for this repaint alone
    std::optional<MemoryDC> source;
    if (!canvas) {
        buffer.emplace(screen.Get(), client.right, client.bottom);
        canvas = source.emplace(buffer->Handle()).Get();
    }
    PaintClient(canvas);
    BitBlt(screen.Get(), 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
}

Control* Form::ControlAt(POINT at) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* control = *it;
        if (control->Visible() && control->Enabled() && control->TakesMouse() &&
            PtInRect(&control->Bounds(), at)) {
            return control;
        }
    }
    return nullptr;
}

void Form::LeftButtonDown(POINT at) {
    if (focused_) {  // the mouse takes over: no ring stays, Space presses nothing
        focused_->Invalidate();
        focused_ = nullptr;
    }
    Control* control = ControlAt(at);
    if (!control) {
        FormMouseDown(at);
        return;
    }
    captured_ = control;
    SetCapture(handle_);
    control->MouseDown();
}

void Form::MouseMove(POINT at) {
    if (captured_) {
        captured_->MouseTracking(PtInRect(&captured_->Bounds(), at) != FALSE);
        return;
    }
    Control* control = ControlAt(at);
    if (control == hovered_)
        return;
    if (hovered_)
        hovered_->MouseHover(false);
    hovered_ = control;
    if (hovered_) {
        hovered_->MouseHover(true);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
    }
}

void Form::LeftButtonUp(POINT at) {
    Control* control = std::exchange(captured_, nullptr);
    if (!control)
        return;
    ReleaseCapture();
    const bool inside = PtInRect(&control->Bounds(), at) != FALSE;
    control->MouseUp();
    if (inside && control->Enabled() && control->OnClick)
        control->OnClick();
}

// By a property of the window: hints subclass it, so its procedure says nothing.
Form* Form::FromHandle(HWND window) {
    return window ? static_cast<Form*>(GetPropW(window, kFormProperty)) : nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form && formBeingCreated) {
        form = formBeingCreated;
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        SetPropW(window, kFormProperty, form);
    }
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    RunReported([&] { result = form->Dispatch(message, wParam, lParam); });
    return result;
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // A press is neither taken nor lets the window come to the front.
    if (TakesNoInput() && IsInputMessage(message))
        return message == WM_MOUSEACTIVATE ? MA_NOACTIVATEANDEAT : 0;
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
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            LeftButtonDown(PointFrom(lParam));
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(PointFrom(lParam));
            return 0;
        case WM_MOUSELEAVE:
            MouseMove({-1, -1});
            return 0;
        case WM_LBUTTONUP:
            LeftButtonUp(PointFrom(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (captured_ && reinterpret_cast<HWND>(lParam) != handle_) {
                std::exchange(captured_, nullptr)->MouseUp();
            }
            return 0;
        case WM_RBUTTONDOWN:
            FormRightButtonDown(PointFrom(lParam));
            return 0;
        case WM_EXITSIZEMOVE:
            WMExitSizeMove();
            return 0;
        // A monitor unplugged, a laptop undocked, the resolution or the taskbar changed.
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA && Visible())
                FormDisplayChange();
            return DefWindowProcW(handle_, message, wParam, lParam);
        case WM_DISPLAYCHANGE:
            if (Visible())
                FormDisplayChange();
            return DefWindowProcW(handle_, message, wParam, lParam);
        case WM_COMMAND:
            if (WindowedControl* control = WindowedControlOf(reinterpret_cast<HWND>(lParam))) {
                control->Command(HIWORD(wParam));
            } else if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                FormDialogKey(LOWORD(wParam));
            }
            return 0;
        case WM_NEXTDLGCTL:
            MoveFocus(wParam, LOWORD(lParam) != 0);
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const WindowedControl* control =
                    WindowedControlOf(reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(
                    control->PaintColors(reinterpret_cast<HDC>(wParam)));
            }
            return DefWindowProcW(handle_, message, wParam, lParam);
        case kFormReleaseMessage:
            DestroyWindow(handle_);
            return 0;
        case WM_GETOBJECT:
            if (FormElement* const element = Element()) {
                if (const LRESULT answer = element->AnswerGetObject(wParam, lParam))
                    return answer;
            }
            return DefWindowProcW(handle_, message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (focused_)
                focused_->Invalidate();  // its focus shows only while the form has the keyboard
            return 0;
        case kFormLaterMessage:
            if (!later_.empty()) {
                const std::function<void()> action = std::move(later_.front());
                later_.erase(later_.begin());
                action();  // an error is the dispatch's to report
            }
            return 0;
        case WM_NCDESTROY: {
            ForgetElement();
            const HWND window = handle_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            RemovePropW(window, kFormProperty);
            handle_ = nullptr;
            hints_ = nullptr;
            hintsGiven_.clear();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

long Form::AccessibleRole() const {
    return ROLE_SYSTEM_CLIENT;
}

std::vector<Control*> Form::NamedControls() const {
    std::vector<Control*> named;
    std::copy_if(
        controls_.begin(), controls_.end(), std::back_inserter(named),
        [](Control* control) { return control->Visible() && !control->AccessibleName().empty(); });
    return named;
}

long Form::ElementId(const Control* control) const {
    const std::vector<Control*> named = NamedControls();
    const auto found = std::find(named.begin(), named.end(), control);
    return found == named.end() ? CHILDID_SELF : static_cast<long>(found - named.begin()) + 1;
}

void Form::ElementChanged(const Control& control, bool shownOrHidden) {
    if (!handle_)
        return;
    if (shownOrHidden) {
        NotifyWinEvent(EVENT_OBJECT_REORDER, handle_, OBJID_CLIENT, CHILDID_SELF);
    } else if (const long id = ElementId(&control); id != CHILDID_SELF) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle_, OBJID_CLIENT, id);
    }
}

void Form::SetElementMaker(ElementMaker maker) {
    elementMaker = maker;
}

FormElement* Form::Element() {
    if (!element_ && elementMaker)
        element_ = elementMaker(*this);
    return element_;
}

void Form::ForgetElement() {
    if (element_)
        std::exchange(element_, nullptr)->Forget();
}

void Form::FocusControl(Control* control) {
    if (focused_)
        focused_->Invalidate();
    focused_ = control;
    if (!focused_)
        return;
    SetFocus(handle_);
    focused_->Invalidate();
    NotifyWinEvent(EVENT_OBJECT_FOCUS, handle_, OBJID_CLIENT, ElementId(focused_));
}

void Form::Tab(bool forward) {
    const HWND focus = GetFocus();
    const auto has = [&](const TabStop& stop) {
        if (stop.windowed) {
            const HWND window = stop.windowed->Handle();
            return window && (focus == window || IsChild(window, focus));
        }
        return focus == handle_ && stop.graphic == focused_;
    };
    const auto reachable = [](const TabStop& stop) {
        if (!stop.windowed)
            return stop.graphic->TabStop();
        const HWND window = stop.windowed->Handle();
        return window && IsWindowVisible(window) && IsWindowEnabled(window);
    };
    // The keyboard is in use: focus rectangles show from now on, here and in child windows.
    SendMessageW(handle_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const int count = static_cast<int>(tabOrder_.size());
    int at = -1;
    for (int i = 0; i < count && at < 0; ++i)
        at = has(tabOrder_[i]) ? i : -1;
    for (int step = 1; step <= count; ++step) {
        const int next =
            ((at < 0 ? (forward ? -1 : 0) : at) + (forward ? step : -step) + count) % count;
        const TabStop& stop = tabOrder_[next];
        if (!reachable(stop))
            continue;
        if (stop.windowed) {
            FocusControl(nullptr);
            MoveFocus(reinterpret_cast<WPARAM>(stop.windowed->Handle()), true);
        } else {
            FocusControl(stop.graphic);
        }
        return;
    }
}

bool Form::TakeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || tabOrder_.empty())
        return false;
    if (message.wParam == VK_TAB) {
        Tab(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if ((message.wParam == VK_SPACE || message.wParam == VK_RETURN) && focused_ &&
        focused_->TabStop() && GetFocus() == handle_ && message.hwnd == handle_) {
        if (!(message.lParam & (1 << 30)))  // not a key held down
            focused_->Press();
        return true;
    }
    return false;
}

// What a dialog box does for Tab and Shift+Tab: the next or previous control that takes
// the keyboard, its text selected as the focus arrives.
void Form::MoveFocus(WPARAM target, bool isWindow) {
    const HWND next = isWindow ? reinterpret_cast<HWND>(target)
                               : GetNextDlgTabItem(handle_, GetFocus(), target != 0);
    if (!next)
        return;
    SetFocus(next);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
}

bool PumpMessage() {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0)
        return false;
    DeliverMessage(message);
    return true;
}

void DeliverMessage(MSG& message) {
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    Form* form = Form::FromHandle(root);
    if (form && form->TakesNoInput() && IsInputMessage(message.message))
        return;
    if (form && form->TakeKey(message))
        return;
    if (form && form->HasWindowedControls() && IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
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
