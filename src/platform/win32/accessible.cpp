#include "platform/win32/accessible.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "platform/core/wide_text_win.h"
#include "platform/win32/controls.h"
#include "platform/win32/form.h"

namespace haripon {

namespace {

// oleacc and oleaut32 load only when assistive technology asks: a program nobody reads
// aloud pays nothing for them.
template <typename Function>
Function Library(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

BSTR NewString(const std::wstring& text) {
    using Allocate = BSTR(WINAPI*)(const OLECHAR*);
    static const Allocate allocate = Library<Allocate>(L"oleaut32.dll", "SysAllocString");
    return allocate ? allocate(text.c_str()) : nullptr;
}

HRESULT Answer(BSTR* out, const std::string& sjis) {
    *out = nullptr;
    if (sjis.empty())
        return S_FALSE;
    *out = NewString(WideFromSjis(sjis));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetNumber(VARIANT* variant, long value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

class FormAccessible final : public IAccessible {
  public:
    explicit FormAccessible(Form& form) : form_(&form) {}
    void Forget() { form_ = nullptr; }

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
        using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
        static const FromWindow fromWindow =
            Library<FromWindow>(L"oleacc.dll", "AccessibleObjectFromWindow");
        if (!form_ || !fromWindow)
            return S_FALSE;
        return fromWindow(form_->Handle(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = static_cast<long>(Elements().size());
        return form_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        *dispatch = nullptr;  // the controls are simple elements of this one
        return Known(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        if (!Known(child))
            return E_INVALIDARG;
        if (const Control* control = Element(child))
            return Answer(name, control->AccessibleName());
        const int length = GetWindowTextLengthW(form_->Handle());
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(GetWindowTextW(form_->Handle(), text.data(), length + 1)));
        if (text.empty())
            return S_FALSE;
        *name = NewString(text);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        *value = nullptr;
        return S_FALSE;
    }
    // A named control's hint says more than its name.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        *description = nullptr;
        const Control* control = Element(child);
        if (!control || control->AccessibleName() == control->Hint())
            return Known(child) ? S_FALSE : E_INVALIDARG;
        return Answer(description, control->Hint());
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!Known(child))
            return E_INVALIDARG;
        const Control* control = Element(child);
        SetNumber(role, control ? control->AccessibleRole() : form_->AccessibleRole());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!Known(child))
            return E_INVALIDARG;
        const Control* control = Element(child);
        long flags = STATE_SYSTEM_FOCUSABLE;
        if (control) {
            flags = (control->TabStop() ? STATE_SYSTEM_FOCUSABLE : 0) |
                    (control->Enabled() ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                    (control == form_->FocusedControl() ? STATE_SYSTEM_FOCUSED : 0);
        } else if (GetFocus() == form_->Handle() && !form_->FocusedControl()) {
            flags |= STATE_SYSTEM_FOCUSED;
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
        if (!form_ || GetFocus() != form_->Handle())
            return S_FALSE;
        SetNumber(focus, IdOf(form_->FocusedControl()));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        *action = nullptr;
        return Known(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        Control* control = Element(child);
        if (!control || !(flags & SELFLAG_TAKEFOCUS))
            return Known(child) ? S_FALSE : E_INVALIDARG;
        form_->FocusControl(control);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        *left = *top = *width = *height = 0;
        if (!Known(child))
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
        if (!Known(start))
            return E_INVALIDARG;
        const long count = static_cast<long>(Elements().size());
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
        if (to == 0)
            return S_FALSE;
        SetNumber(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        child->vt = VT_EMPTY;
        if (!form_)
            return E_FAIL;
        POINT at{x, y};
        ScreenToClient(form_->Handle(), &at);
        RECT client{};
        GetClientRect(form_->Handle(), &client);
        if (!PtInRect(&client, at))
            return S_FALSE;
        const std::vector<Control*> elements = Elements();
        long id = CHILDID_SELF;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (PtInRect(&elements[i]->Bounds(), at))
                id = static_cast<long>(i) + 1;  // the topmost last
        }
        SetNumber(child, id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        Control* control = Element(child);
        if (!control)
            return Known(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        control->Press();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    // The shown controls that have a name, bottom to top; element n is child id n.
    std::vector<Control*> Elements() const {
        std::vector<Control*> elements;
        for (Control* control : form_ ? form_->Controls() : std::vector<Control*>()) {
            if (control->Visible() && !control->AccessibleName().empty())
                elements.push_back(control);
        }
        return elements;
    }
    bool Known(const VARIANT& child) const {
        return form_ && child.vt == VT_I4 && child.lVal >= 0 &&
               child.lVal <= static_cast<long>(Elements().size());
    }
    Control* Element(const VARIANT& child) const {
        if (!Known(child) || child.lVal == CHILDID_SELF)
            return nullptr;
        return Elements()[static_cast<std::size_t>(child.lVal) - 1];
    }
    long IdOf(const Control* control) const {
        const std::vector<Control*> elements = Elements();
        for (std::size_t i = 0; control && i < elements.size(); ++i) {
            if (elements[i] == control)
                return static_cast<long>(i) + 1;
        }
        return CHILDID_SELF;
    }

    Form* form_;
    ULONG references_ = 1;
};

}  // namespace

LRESULT AnswerAccessibleObject(Form& form, WPARAM flags, LPARAM objectId) {
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const FromObject fromObject = Library<FromObject>(L"oleacc.dll", "LresultFromObject");
    if (static_cast<LONG>(objectId) != OBJID_CLIENT || !fromObject)
        return 0;
    if (!form.accessible_)
        form.accessible_ = new FormAccessible(form);
    return fromObject(IID_IAccessible, flags, static_cast<FormAccessible*>(form.accessible_));
}

void ForgetAccessibleObject(Form& form) {
    if (auto* accessible = static_cast<FormAccessible*>(form.accessible_)) {
        accessible->Forget();
        accessible->Release();
        form.accessible_ = nullptr;
    }
}

void AnnounceAlert(HWND window) {
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace haripon
