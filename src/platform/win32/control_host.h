// What a control asks of the form it is on. The form (form.h) gives it: controls know their
// form through this alone, so that the form may know its controls.
#pragma once

#include <windows.h>

#include <string_view>

namespace haripon {

class Control;
class WindowedControl;

class ControlHost {
  public:
    // The form's window; null until it is made.
    virtual HWND HostWindow() const = 0;
    // A graphic control's place, visibility or hint changed (its hint follows).
    virtual void ControlChanged(const Control& control) = 0;
    // A graphic control moved, hidden or disabled: the keyboard leaves it when out of use.
    virtual void FocusFollows(const Control& control) = 0;
    // A named graphic control was shown or hidden (the form's elements changed), or renamed.
    virtual void ElementChanged(const Control& control, bool shownOrHidden) = 0;
    // A windowed control joins the form, in tab order.
    virtual void AddWindowedControl(WindowedControl& control) = 0;
    // The hint of a windowed control's window (Shift-JIS; empty for none).
    virtual void SetChildHint(HWND child, std::string_view hint) = 0;

  protected:
    ~ControlHost() = default;
};

}  // namespace haripon
