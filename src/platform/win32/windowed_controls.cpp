#include "platform/win32/windowed_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/error_report.h"
#include "platform/core/wide_text_win.h"
#include "platform/win32/window_text.h"

namespace haripon {

void WindowedControl::Attach(ControlHost& form, const wchar_t* className, DWORD style,
                             DWORD exStyle) {
    form_ = &form;
    className_ = className;
    style_ = style;
    exStyle_ = exStyle;
    form.AddWindowedControl(*this);
}

void WindowedControl::MakeWindow() {
    if (handle_)
        return;
    const DWORD style =
        WS_CHILD | style_ | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    const HWND window =
        CreateWindowExW(exStyle_, className_, text_.c_str(), style, bounds_.left, bounds_.top,
                        bounds_.right - bounds_.left, bounds_.bottom - bounds_.top,
                        form_->HostWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        ThrowLastError("CreateWindow");
    handle_ = window;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    WindowMade();
    if (!hint_.empty())
        form_->SetChildHint(handle_, hint_);
}

void WindowedControl::SetHint(std::string_view hint) {
    hint_ = hint;
    if (handle_)
        form_->SetChildHint(handle_, hint);
}

void WindowedControl::SetBounds(int left, int top, int width, int height) {
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        bounds_ = {left, top, left + width, top + height};
}

RECT WindowedControl::Bounds() const {
    if (!handle_)
        return bounds_;
    RECT bounds{};
    GetWindowRect(handle_, &bounds);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void WindowedControl::SetLeft(int left) {
    const RECT b = Bounds();
    SetBounds(left, b.top, b.right - b.left, b.bottom - b.top);
}

void WindowedControl::SetTop(int top) {
    const RECT b = Bounds();
    SetBounds(b.left, top, b.right - b.left, b.bottom - b.top);
}

void WindowedControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (handle_)
        EnableWindow(handle_, enabled);
}

void WindowedControl::SetVisible(bool visible) {
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    else
        visible_ = visible;
}

// A hidden form's control takes no keyboard.
void WindowedControl::Focus() {
    if (handle_)
        SetFocus(handle_);
}

void WindowedControl::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color));
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

HBRUSH WindowedControl::PaintColors(HDC dc) const {
    SetBkColor(dc, color_);
    return brush_.Get();
}

std::string WindowedControl::Text() const {
    return SjisFromWide(handle_ ? WindowText(handle_) : text_);
}

void WindowedControl::SetText(std::string_view text) {
    if (handle_)
        SetWindowTextW(handle_, WideFromSjis(text).c_str());
    else
        text_ = WideFromSjis(text);
}

void Edit::Create(ControlHost& form) {
    Attach(form, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

// Without its window the control notifies as the window would.
void Edit::SetText(std::string_view text) {
    settingText_ = true;
    WindowedControl::SetText(text);
    settingText_ = false;
    if (Handle())
        return;
    accepted_ = WideFromSjis(text);
    if (OnChange)
        OnChange();
}

void Edit::Command(WORD code) {
    if (code != EN_CHANGE)
        return;
    if (settingText_) {
        accepted_ = WindowText(Handle());
    } else if (!TakeInput()) {
        return;  // the text was put right, with a notification of its own
    }
    if (OnChange)
        OnChange();
}

namespace {

// The Shift-JIS bytes of one character (one or two UTF-16 units), or 0 when code page 932
// cannot hold it.
std::size_t Cp932Bytes(std::wstring_view character) {
    const std::optional<std::string> bytes = ExactSjisFromWide(character);
    return bytes ? bytes->size() : 0;
}

std::size_t CharacterLength(std::wstring_view text, std::size_t at) {
    const bool pair =
        at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1]);
    return pair ? 2 : 1;
}

}  // namespace

// The control has already changed: what came in ends at the caret and lies between what
// was before the caret and what was after it. Of that, characters the code page cannot
// hold are dropped, and the rest kept as far as the limit allows; anything refused beeps,
// as the system's own limit does. False when the text had to be put right.
bool Edit::TakeInput() {
    const std::wstring text = WindowText(Handle());
    const std::wstring& before = accepted_;
    DWORD caret = 0;
    SendMessageW(Handle(), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    std::size_t suffix = text.size() - std::min<std::size_t>(caret, text.size());
    if (suffix > before.size() ||
        text.compare(text.size() - suffix, suffix, before, before.size() - suffix) != 0) {
        suffix = 0;  // not an insertion at the caret: take everything after the common start
        while (suffix < text.size() && suffix < before.size() &&
               text[text.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
            ++suffix;
        }
    }
    std::size_t prefix = 0;
    while (prefix < text.size() - suffix && prefix < before.size() - suffix &&
           text[prefix] == before[prefix]) {
        ++prefix;
    }
    const std::wstring_view inserted(text.data() + prefix, text.size() - prefix - suffix);
    const std::wstring head = text.substr(0, prefix);
    const std::wstring tail = text.substr(text.size() - suffix);

    const std::size_t used = SjisFromWide(head).size() + SjisFromWide(tail).size();
    std::size_t room = maxBytes_ == 0 ? SIZE_MAX : (used < maxBytes_ ? maxBytes_ - used : 0);
    std::wstring kept;
    for (std::size_t at = 0; at < inserted.size();) {
        const std::wstring_view character = inserted.substr(at, CharacterLength(inserted, at));
        at += character.size();
        const std::size_t bytes = Cp932Bytes(character);
        if (bytes == 0)
            continue;
        if (bytes > room)
            break;
        room -= bytes;
        kept += character;
    }
    if (kept.size() == inserted.size()) {
        accepted_ = text;
        return true;
    }
    accepted_ = head + kept + tail;
    settingText_ = true;
    SetWindowTextW(Handle(), accepted_.c_str());
    settingText_ = false;
    const auto end = static_cast<WPARAM>(head.size() + kept.size());
    SendMessageW(Handle(), EM_SETSEL, end, static_cast<LPARAM>(end));
    MessageBeep(MB_OK);
    return false;
}

void ComboBox::Create(ControlHost& form) {
    Attach(form, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
}

// The box's text is its edit's, which the window name does not reach.
void ComboBox::WindowMade() {
    if (maxLength_ != 0)
        SendMessageW(Handle(), CB_LIMITTEXT, maxLength_, 0);
    for (const std::wstring& item : items_)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetWindowTextW(Handle(), TextBeforeWindow().c_str());
    SetDropDownCount(dropDownCount_);
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
    ClearItems();
    for (const std::string& item : items)
        AddItem(item);
}

void ComboBox::ClearItems() {
    items_.clear();
    if (!Handle())
        return;
    // The edit text survives: only the list is emptied.
    const std::string text = Text();
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    SetText(text);
}

void ComboBox::AddItem(std::string_view item) {
    items_.push_back(WideFromSjis(item));
    if (Handle())
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.back().c_str()));
}

int ComboBox::ItemCount() const {
    return static_cast<int>(items_.size());
}

std::string ComboBox::Item(int index) const {
    const bool known = index >= 0 && static_cast<std::size_t>(index) < items_.size();
    return known ? SjisFromWide(items_[static_cast<std::size_t>(index)]) : std::string();
}

void ComboBox::SetBounds(int left, int top, int width, int height) {
    if (!Handle()) {
        WindowedControl::SetBounds(left, top, width, height);
        return;
    }
    const auto itemHeight = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
    WindowedControl::SetBounds(left, top, width, height + dropDownCount_ * itemHeight + 2);
}

void ComboBox::SetDropDownCount(int count) {
    dropDownCount_ = count;
    if (!Handle())
        return;
    SendMessageW(Handle(), CB_SETMINVISIBLE, count, 0);  // the list of common controls 6
    const RECT bounds = Bounds();
    const auto boxHeight = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, -1, 0)) + 6;
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, boxHeight);
}

void ComboBox::SetMaxLength(int characters) {
    maxLength_ = characters;
    if (Handle())
        SendMessageW(Handle(), CB_LIMITTEXT, characters, 0);
}

void ComboBox::Command(WORD code) {
    switch (code) {
        case CBN_EDITCHANGE:
            if (OnChange)
                OnChange();
            break;
        case CBN_SELCHANGE: {
            // The edit text follows the list only after this notification.
            const auto index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
            if (index >= 0)
                SetText(Item(static_cast<int>(index)));
            if (OnChange)
                OnChange();
            break;
        }
        case CBN_KILLFOCUS:
            if (OnExit)
                OnExit();
            break;
        default:
            break;
    }
}

void CheckBox::Create(ControlHost& form, std::string_view caption) {
    Attach(form, L"BUTTON", WS_TABSTOP | BS_CHECKBOX);
    SetText(caption);
}

void CheckBox::WindowMade() {
    if (checked_)
        SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

bool CheckBox::Checked() const {
    return checked_;
}

void CheckBox::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    if (Handle())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick)
        OnClick();
}

void CheckBox::Command(WORD code) {
    if (code == BN_CLICKED)
        SetChecked(!Checked());
}

}  // namespace haripon
