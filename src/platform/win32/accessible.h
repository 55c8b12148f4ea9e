// What assistive technology (Narrator, NVDA) is told of a form: its client area as one
// element with the form's name and role, and each graphic control that has a name (a picture
// button) as an element of its own, with its name, role, state and place, pressable; after
// them the form's child windows, elements the system makes of its own.
#pragma once

#include <windows.h>

struct IAccessible;

namespace haripon {

class Control;
class Form;

// The answer to WM_GETOBJECT for the client area (OBJID_CLIENT); 0 for any other object, for
// which the system answers. The element lives as long as those who asked keep it; it tells
// nothing more once its form is gone.
LRESULT AnswerAccessibleObject(Form& form, WPARAM flags, LPARAM objectId);

// The form's own element, the one the answer above hands out, taken in this process without
// the system's marshalling, with a reference for the caller; null for a form that leaves its
// answer to the system.
IAccessible* FormAccessibleObject(Form& form);

// The form's element is gone with its window (or with the form).
void ForgetAccessibleObject(Form& form);

// Tells assistive technology that the window came up as an alert, which it reads at once.
void AnnounceAlert(HWND window);

// Tells assistive technology which of the form's controls has the keyboard now.
void AnnounceFocus(const Form& form);

// A named control was shown or hidden (the form's elements changed), or renamed.
void AnnounceChange(const Form& form, const Control& control, bool shownOrHidden);

}  // namespace haripon
