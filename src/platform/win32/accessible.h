// What assistive technology (Narrator, NVDA) is told of a form: its client area as one
// element with the form's name and role, and each graphic control that has a name (a picture
// button) as an element of its own, with its name, role, state and place, pressable. Windowed
// controls are windows, which the system tells of itself.
#pragma once

#include <windows.h>

namespace haripon {

class Form;

// The answer to WM_GETOBJECT for the client area (OBJID_CLIENT); 0 for any other object, for
// which the system answers. The element lives as long as those who asked keep it; it tells
// nothing more once its form is gone.
LRESULT AnswerAccessibleObject(Form& form, WPARAM flags, LPARAM objectId);

// The form's element is gone with its window.
void ForgetAccessibleObject(Form& form);

// Tells assistive technology that the window came up as an alert, which it reads at once.
void AnnounceAlert(HWND window);

}  // namespace haripon
