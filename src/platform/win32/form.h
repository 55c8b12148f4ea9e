// A top-level window of the program: one class per window, borderless, created hidden.
// It paints its graphic controls in stacking order, double-buffered, and routes the mouse
// to the topmost control that takes it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window_geometry.h"
#include "platform/win32/control_host.h"
#include "platform/win32/gdi.h"

namespace haripon {

class Control;
class WindowedControl;

// A form's element for assistive technology. The accessibility layer (accessible.h) makes it
// through the maker it sets where the program starts; the form layer knows no more of it.
class FormElement {
  public:
    // The answer to WM_GETOBJECT; 0 leaves the answer to the system.
    virtual LRESULT AnswerGetObject(WPARAM flags, LPARAM objectId) = 0;
    // The form is gone: the element tells nothing more, and the form lets go of it.
    virtual void Forget() = 0;

  protected:
    ~FormElement() = default;
};

// The window messages the form layer keeps for itself: a form releases its window, and runs
// what was put off.
inline constexpr UINT kFormReleaseMessage = WM_APP + 0x3F0;
inline constexpr UINT kFormLaterMessage = WM_APP + 0x3F1;

class Form : public ControlHost {
  public:
    // The window's class (by which other programs may find it), its client size as designed
    // and any extended style beyond that of a tool window.
    Form(std::wstring className, int clientWidth, int clientHeight, DWORD extraExStyle = 0);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Registers the window class, creates the hidden window and runs FormCreate; an error
    // there is reported and the window stays.
    void Create();

    HWND Handle() const { return handle_; }
    bool Visible() const;
    // Shows the form and brings it to the front; FormShow runs when it was hidden.
    // `activate` false: shown without taking the keyboard from the user's window.
    void Show(bool activate = true);
    void Hide();
    // Puts the window at the top of the others and gives it the keyboard, where the system
    // lets the program take the foreground.
    void BringToFront();
    // While set, the window stays above every window that does not (set while hidden, from
    // its showing on).
    void SetStayOnTop(bool onTop);
    // Moves the window to the screen point, unless it stands there already.
    void MoveTo(WindowPlace place);
    void CenterOnScreen();
    void SetClientSize(int width, int height);
    // The window's text (Shift-JIS): no caption shows, but assistive technology reads it.
    void SetCaption(std::string_view caption);
    // The colour wherever no control paints.
    void SetColor(COLORREF color);
    // A close request, as the system's close command makes it.
    void Close();
    // Destroys the window once the current message is handled.
    void Release();

    // Runs the action once the messages already waiting are handled: out of the handler that
    // asks for it (a message box must not open in the middle of a save).
    void Later(std::function<void()> action);

    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

    // Shows the form and runs the message loop until it is hidden or closed (true), or until
    // the program is to end (false); the program's other windows take no input meanwhile.
    bool ShowModal(bool activate = true);
    // True while another form is shown modally above this one.
    bool TakesNoInput() const;
    // Ends a modal showing as if the program were ending: ShowModal gives false.
    void CancelModal();

    // The system moves the window with the mouse, as if its caption were dragged, until the
    // button is released; at the end of the move the window is pulled back (WMExitSizeMove).
    void StartDragMove();
    // A window that shows on no monitor (one unplugged, the display changed) is moved onto
    // the nearest one: true then. One kept wholly on screen (a window that must be answered)
    // is pulled into the nearest work area unless it lies wholly in one. The place it was
    // brought from stays its own: when the monitors change again it goes back there, where
    // that shows (ReturnHome), until it is moved on purpose (MoveTo, a drag).
    bool KeepOnScreen();
    // Back to the place a rescue took it from, onto a monitor there is: true when it had one.
    bool ReturnHome();
    void SetKeptWhollyOnScreen(bool wholly) { keptWhollyOnScreen_ = wholly; }

    // Adds a control on top of those added before.
    void AddControl(Control& control);
    bool HasWindowedControls() const { return !windowedControls_.empty(); }
    // The client area as it would be painted now.
    Bitmap RenderClient() const;

    // The form whose window this is, or null for any other window.
    static Form* FromHandle(HWND window);

    // The order in which Tab and Shift+Tab reach the form's controls (graphic ones with a
    // visible focus, windowed ones), from one end round to the other. Space and Enter press
    // the graphic control that has the keyboard.
    struct TabStop {
        Control* graphic = nullptr;
        WindowedControl* windowed = nullptr;
    };
    void SetTabOrder(std::vector<TabStop> order) { tabOrder_ = std::move(order); }
    // A key of the keyboard interface the form takes itself: true when taken.
    bool TakeKey(const MSG& message);
    // The graphic control that has the keyboard (the form's window having the focus).
    Control* FocusedControl() const { return focused_; }
    void FocusControl(Control* control);

    // What assistive technology is told of the form: its role and, numbered from 1, the shown
    // controls that have a name, bottom to top.
    virtual long AccessibleRole() const;
    // States of its own beside focus (an alert's level, say).
    virtual long AccessibleState() const { return 0; }
    std::vector<Control*> NamedControls() const;
    // A control's number among them; CHILDID_SELF for one that is none of them.
    long ElementId(const Control* control) const;
    // The form's element, made when first asked for by the maker set for every form
    // (accessible.h: UseAccessibleForms); null without one, or when the maker gives none.
    FormElement* Element();
    using ElementMaker = FormElement* (*)(Form& form);
    static void SetElementMaker(ElementMaker maker);

  protected:
    // Windowed controls join the form here, once the window exists and before FormCreate;
    // their windows are made as the form is first shown.
    virtual void CreateWindowedControls() {}
    virtual void FormCreate() {}
    // Each time the hidden form turns visible.
    virtual void FormShow() {}
    // False refuses a close request.
    virtual bool FormCloseQuery() { return true; }
    // After an accepted close request: a main form then ends the message loop, any other
    // form hides.
    virtual void FormClose() {}
    virtual bool IsMainForm() const { return false; }
    virtual void FormTimer(UINT_PTR /*id*/) {}
    // A left press that no control took, in client coordinates.
    virtual void FormMouseDown(POINT /*at*/) {}
    // A right-button press anywhere on the form, in client coordinates.
    virtual void FormRightButtonDown(POINT /*at*/) {}
    // Enter (IDOK) or Esc (IDCANCEL) pressed where no control takes the key.
    virtual void FormDialogKey(int /*command*/) {}
    // The monitors or their work areas changed while the form is shown: by default it goes
    // back where it was before a rescue, or comes onto the nearest work area where it shows on
    // none.
    virtual void FormDisplayChange() {
        if (!ReturnHome())
            KeepOnScreen();
    }
    // Any other message; return true when handled.
    virtual bool HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                               LRESULT& /*result*/) {
        return false;
    }

  private:
    // What its controls ask of the form: they reach it through ControlHost alone.
    HWND HostWindow() const override { return handle_; }
    void ControlChanged(const Control& control) override;
    void FocusFollows(const Control& control) override;
    void ElementChanged(const Control& control, bool shownOrHidden) override;
    void AddWindowedControl(WindowedControl& control) override;
    void SetChildHint(HWND child, std::string_view hint) override;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void CloseRequested();
    // The end of a move or resize by the user: the window is pulled back into the work area
    // of the monitor it was dropped on, left, top, right and bottom edge in that order.
    void WMExitSizeMove();
    // Moves the window without making the place its own.
    void Place(WindowPlace place);
    ScreenRect ScreenBounds() const;
    void PaintClient(HDC dc) const;
    void Paint();
    Control* ControlAt(POINT at) const;
    void LeftButtonDown(POINT at);
    void MouseMove(POINT at);
    void LeftButtonUp(POINT at);
    void EndModal();
    void MoveFocus(WPARAM target, bool isWindow);
    // The next stop of the tab order from the one that has the keyboard.
    void Tab(bool forward);
    void KeepFocusUsable();
    void UpdateHintTool(const Control& control);
    // Child windows and hint windows cost memory: they are made the first time the form is
    // shown, not while it waits hidden.
    void MakeChildWindows();
    void MakeHints();
    HWND Hints();
    WindowedControl* WindowedControlOf(HWND child) const;
    void ForgetElement();

    const std::wstring className_;
    const int designWidth_;
    const int designHeight_;
    const DWORD extraExStyle_;
    HWND handle_ = nullptr;
    HWND hints_ = nullptr;
    bool hintsMade_ = false;
    std::vector<std::pair<HWND, std::string>> childHints_;
    std::vector<std::string> hintsGiven_;  // to the hint window, by control
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    std::vector<Control*> controls_;
    std::vector<WindowedControl*> windowedControls_;
    bool modal_ = false;
    Form* modalBelow_ = nullptr;  // the modal form this one was shown above
    bool stayOnTop_ = false;
    bool keptWhollyOnScreen_ = false;
    std::optional<WindowPlace> home_;  // where a rescue took it from
    bool modalCancelled_ = false;
    Control* captured_ = nullptr;
    Control* hovered_ = nullptr;
    std::vector<std::function<void()>> later_;
    std::vector<TabStop> tabOrder_;
    std::string caption_;
    Control* focused_ = nullptr;
    FormElement* element_ = nullptr;  // held until the window is gone
};

// While one lives, the monitors' work areas are its own, as a test sets them.
class ScopedWorkAreas {
  public:
    explicit ScopedWorkAreas(std::vector<ScreenRect> areas);
    ~ScopedWorkAreas();
    ScopedWorkAreas(const ScopedWorkAreas&) = delete;
    ScopedWorkAreas& operator=(const ScopedWorkAreas&) = delete;

  private:
    std::optional<std::vector<ScreenRect>> previous_;
};

// Takes the next message of the thread and delivers it (DeliverMessage). False once the
// program is to end.
bool PumpMessage();

// Delivers a message taken from the queue, with the keyboard interface of dialog boxes (Tab
// between controls, Enter and Esc) on forms with windowed controls.
void DeliverMessage(MSG& message);

}  // namespace haripon
