#include "platform/win32/accessible.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "platform/core/wide_text_win.h"
#include "platform/win32/controls.h"
#include "platform/win32/form.h"
#include "platform/win32/window_text.h"

namespace haripon {

namespace {

// oleacc, oleaut32 and ole32 load only when assistive technology asks: a program nobody
// reads aloud pays nothing for them. They are taken from the system folder by full path,
// never from beside the program.
template <typename Function>
Function Library(const wchar_t* library, const char* name) {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + lstrlenW(library) + 2 > MAX_PATH)
        return nullptr;
    lstrcatW(lstrcatW(path, L"\\"), library);
    const HMODULE module = LoadLibraryW(path);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

// An element handed to another program is marshalled through COM, which the window thread
// joins (as a single-threaded apartment) the first time it is asked.
bool JoinCom() {
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    static const bool joined = [] {
        const auto initialize = Library<Initialize>(L"ole32.dll", "CoInitializeEx");
        return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }();
    return joined;
}

BSTR NewString(const std::wstring& text) {
    using Allocate = BSTR(WINAPI*)(const OLECHAR*);
    static const Allocate allocate = Library<Allocate>(L"oleaut32.dll", "SysAllocString");
    return allocate ? allocate(text.c_str()) : nullptr;
}

HRESULT Answer(BSTR* out, const std::wstring& text) {
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = NewString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Answer(BSTR* out, const std::string& sjis) {
    return Answer(out, WideFromSjis(sjis));
}

void SetNumber(VARIANT* variant, long value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

// Only a form with something of its own to tell answers: one with named controls or another
// role than a plain client area. The system answers for the others from their window text.
bool TellsOwn(const Form& form) {
    return form.AccessibleRole() != ROLE_SYSTEM_CLIENT || !form.NamedControls().empty();
}

// The shown child windows, which are elements of their own that the system makes.
std::vector<HWND> ChildWindows(HWND form) {
    std::vector<HWND> windows;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child))
            windows.push_back(child);
    }
    return windows;
}

HRESULT WindowElement(HWND window, IDispatch** dispatch) {
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const FromWindow fromWindow =
        Library<FromWindow>(L"oleacc.dll", "AccessibleObjectFromWindow");
    *dispatch = nullptr;
    if (!fromWindow)
        return E_FAIL;
    return fromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                      reinterpret_cast<void**>(dispatch));
}

// Child id n is the n-th named control, then the n-th child window after them. The form
// holds one reference until it forgets the element.
class FormAccessible final : public IAccessible, public FormElement {
  public:
    explicit FormAccessible(Form& form) : form_(&form) {}

    LRESULT AnswerGetObject(WPARAM flags, LPARAM objectId) override {
        using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
        static const FromObject fromObject =
            Library<FromObject>(L"oleacc.dll", "LresultFromObject");
        if (static_cast<LONG>(objectId) != OBJID_CLIENT || !fromObject || !form_ ||
            !TellsOwn(*form_))
            return 0;
        const LRESULT answer =
            JoinCom() ? fromObject(IID_IAccessible, flags, static_cast<IAccessible*>(this)) : 0;
        return answer > 0 ? answer : 0;  // a failure leaves the answer to the system
    }
    void Forget() override {
        form_ = nullptr;
        Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = nullptr;
        if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch) &&
            !IsEqualIID(id, IID_IAccessible))
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // Not scripted: no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        return form_ ? WindowElement(form_->Handle(), parent) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = Count();
        return form_ ? S_OK : E_FAIL;
    }
    // The controls are simple elements of this one; the windows elements of their own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        *dispatch = nullptr;
        if (const HWND window = WindowOf(child))
            return WindowElement(window, dispatch);
        return Simple(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        if (!Simple(child))
            return E_INVALIDARG;
        if (const Control* control = Element(child))
            return Answer(name, control->AccessibleName());
        return Answer(name, WindowText(form_->Handle()));
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        *value = nullptr;
        return Simple(child) ? S_FALSE : E_INVALIDARG;
    }
    // A named control's hint says more than its name.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        *description = nullptr;
        const Control* control = Element(child);
        if (!control || control->AccessibleName() == control->Hint())
            return Simple(child) ? S_FALSE : E_INVALIDARG;
        return Answer(description, control->Hint());
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!Simple(child))
            return E_INVALIDARG;
        const Control* control = Element(child);
        SetNumber(role, control ? control->AccessibleRole() : form_->AccessibleRole());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!Simple(child))
            return E_INVALIDARG;
        const Control* control = Element(child);
        const bool formHasFocus = GetFocus() == form_->Handle();
        long flags = STATE_SYSTEM_FOCUSABLE;
        if (control) {
            flags = (control->TabStop() ? STATE_SYSTEM_FOCUSABLE : 0) |
                    (control->Enabled() ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                    (formHasFocus && control == form_->FocusedControl() ? STATE_SYSTEM_FOCUSED : 0);
        } else {
            flags |= form_->AccessibleState() |
                     (formHasFocus && !form_->FocusedControl() ? STATE_SYSTEM_FOCUSED : 0);
        }
        SetNumber(state, flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        *shortcut = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = VT_EMPTY;
        if (!form_)
            return E_FAIL;
        const HWND focused = GetFocus();
        if (focused == form_->Handle())
            return Give(form_->ElementId(form_->FocusedControl()), focus);
        const long id = IdOfWindow(focused);
        return id ? Give(id, focus) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        *action = nullptr;
        if (const Control* control = Element(child))
            return Answer(action, control->AccessibleAction());
        return Simple(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        Control* control = Element(child);
        if (!control || !(flags & SELFLAG_TAKEFOCUS))
            return Simple(child) ? S_FALSE : E_INVALIDARG;
        form_->FocusControl(control);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        *left = *top = *width = *height = 0;
        if (!Simple(child))
            return E_INVALIDARG;
        RECT area{};
        if (const Control* control = Element(child)) {
            area = control->Bounds();
        } else {
            GetClientRect(form_->Handle(), &area);
        }
        MapWindowPoints(form_->Handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        *left = area.left;
        *top = area.top;
        *width = area.right - area.left;
        *height = area.bottom - area.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        end->vt = VT_EMPTY;
        const long count = Count();
        if (!form_ || start.vt != VT_I4 || start.lVal < 0 || start.lVal > count)
            return E_INVALIDARG;
        const long from = start.lVal;
        long to = 0;
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            to = from == CHILDID_SELF && count > 0 ? (direction == NAVDIR_FIRSTCHILD ? 1 : count)
                                                   : 0;
        } else if (from != CHILDID_SELF && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN ||
                                            direction == NAVDIR_RIGHT)) {
            to = from < count ? from + 1 : 0;
        } else if (from != CHILDID_SELF) {
            to = from > 1 ? from - 1 : 0;
        }
        return to == 0 ? S_FALSE : Give(to, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        child->vt = VT_EMPTY;
        if (!form_)
            return E_FAIL;
        const HWND window = form_->Handle();
        POINT at{x, y};
        ScreenToClient(window, &at);
        RECT client{};
        GetClientRect(window, &client);
        if (!PtInRect(&client, at))
            return S_FALSE;
        if (const long id = IdOfWindow(ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE)))
            return Give(id, child);
        const std::vector<Control*> named = form_->NamedControls();
        long id = CHILDID_SELF;
        for (std::size_t i = 0; i < named.size(); ++i) {
            if (PtInRect(&named[i]->Bounds(), at))
                id = static_cast<long>(i) + 1;  // the topmost last
        }
        SetNumber(child, id);
        return S_OK;
    }
    // Pressed once the reader's call has returned: a press may open a message box, which
    // must not keep the reader waiting.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        Control* control = Element(child);
        if (!control)
            return Simple(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        form_->Later([control] { control->Press(); });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    long Named() const { return form_ ? static_cast<long>(form_->NamedControls().size()) : 0; }
    long Count() const {
        return form_ ? Named() + static_cast<long>(ChildWindows(form_->Handle()).size()) : 0;
    }
    // The form itself or one of its named controls.
    bool Simple(const VARIANT& child) const {
        return form_ && child.vt == VT_I4 && child.lVal >= 0 && child.lVal <= Named();
    }
    Control* Element(const VARIANT& child) const {
        if (!Simple(child) || child.lVal == CHILDID_SELF)
            return nullptr;
        return form_->NamedControls()[static_cast<std::size_t>(child.lVal) - 1];
    }
    // The id of the child window that is or holds `window`; 0 for none.
    long IdOfWindow(HWND window) const {
        const std::vector<HWND> windows = ChildWindows(form_->Handle());
        for (std::size_t i = 0; window && i < windows.size(); ++i) {
            if (windows[i] == window || IsChild(windows[i], window))
                return Named() + static_cast<long>(i) + 1;
        }
        return 0;
    }
    HWND WindowOf(const VARIANT& child) const {
        if (!form_ || child.vt != VT_I4 || child.lVal <= Named() || child.lVal > Count())
            return nullptr;
        return ChildWindows(form_->Handle())[static_cast<std::size_t>(child.lVal - Named()) - 1];
    }
    // A child by its id: a number for a control, the element itself for a window.
    HRESULT Give(long id, VARIANT* out) const {
        VARIANT child;
        SetNumber(&child, id);
        if (const HWND window = WindowOf(child)) {
            IDispatch* dispatch = nullptr;
            const HRESULT result = WindowElement(window, &dispatch);
            if (FAILED(result))
                return result;
            out->vt = VT_DISPATCH;
            out->pdispVal = dispatch;
            return S_OK;
        }
        SetNumber(out, id);
        return S_OK;
    }

    Form* form_;
    ULONG references_ = 1;
};

FormElement* MakeElement(Form& form) {
    return TellsOwn(form) ? new FormAccessible(form) : nullptr;
}

}  // namespace

void UseAccessibleForms() {
    Form::SetElementMaker(&MakeElement);
}

// MakeElement is the one maker: every form's element is a FormAccessible.
IAccessible* FormAccessibleObject(Form& form) {
    auto* const accessible =
        TellsOwn(form) ? static_cast<FormAccessible*>(form.Element()) : nullptr;
    if (accessible)
        accessible->AddRef();
    return accessible;
}

void AnnounceAlert(HWND window) {
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace haripon
