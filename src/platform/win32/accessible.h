// What assistive technology (Narrator, NVDA) is told of a form: its client area as one
// element with the form's name and role, and each graphic control that has a name (a picture
// button) as an element of its own, with its name, role, state and place, pressable; after
// them the form's child windows, elements the system makes of its own.
#pragma once

#include <windows.h>

struct IAccessible;

namespace haripon {

class Form;

// From now on forms answer assistive technology with elements of their own: called where the
// program starts, before its first form, and by tests that read the elements.
void UseAccessibleForms();

// The form's own element, the one it answers WM_GETOBJECT with for its client area, taken in
// this process without the system's marshalling, with a reference for the caller; null for a
// form that leaves its answer to the system. The element lives as long as those who asked
// keep it; it tells nothing more once its form is gone.
IAccessible* FormAccessibleObject(Form& form);

// Tells assistive technology that the window came up as an alert, which it reads at once.
void AnnounceAlert(HWND window);

}  // namespace haripon
