// Controls that are windows of their own: the edit box, the editable combo box and the
// check box, each with a background colour that the theme can set.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/gdi.h"

namespace haripon {

class Form;

class WindowedControl {
  public:
    WindowedControl() = default;
    virtual ~WindowedControl() = default;
    WindowedControl(const WindowedControl&) = delete;
    WindowedControl& operator=(const WindowedControl&) = delete;

    HWND Handle() const { return handle_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetTop(int top);
    RECT Bounds() const;
    // As the form's own controls, what does not change costs nothing.
    void SetEnabled(bool enabled) {
        if (Enabled() != enabled)
            EnableWindow(handle_, enabled);
    }
    bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
    void SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE); }
    void Focus() { SetFocus(handle_); }
    void SetColor(COLORREF color);
    // Shown when the mouse rests on the control (Shift-JIS).
    void SetHint(std::string_view hint);

    std::string Text() const;                     // Shift-JIS
    virtual void SetText(std::string_view text);  // Shift-JIS

    // The form forwards the control's notifications and colour requests.
    virtual void Command(WORD /*code*/) {}
    HBRUSH PaintColors(HDC dc) const;

  protected:
    void CreateChild(Form& form, const wchar_t* className, DWORD style, DWORD exStyle = 0);

  private:
    Form* form_ = nullptr;
    HWND handle_ = nullptr;
    COLORREF color_ = GetSysColor(COLOR_WINDOW);
    BrushHandle brush_{CreateSolidBrush(GetSysColor(COLOR_WINDOW))};
};

// A one-line edit box for Shift-JIS text. Whatever reaches it (typed, pasted or composed
// by an input method) keeps only the characters code page 932 can hold and, with a limit,
// only as many as fit the limit in Shift-JIS bytes, as the text will be stored.
class Edit : public WindowedControl {
  public:
    void Create(Form& form);
    void SetMaxBytes(std::size_t bytes) { maxBytes_ = bytes; }
    // Text set by the program is taken whole; the limit holds for input.
    void SetText(std::string_view text) override;
    void Command(WORD code) override;

    std::function<void()> OnChange;

  private:
    bool TakeInput();

    std::size_t maxBytes_ = 0;  // 0: no limit
    bool settingText_ = false;
    std::wstring accepted_;
};

// A combo box whose text can also be typed.
class ComboBox : public WindowedControl {
  public:
    void Create(Form& form);
    void SetItems(const std::vector<std::string>& items);  // Shift-JIS
    void ClearItems();
    void AddItem(std::string_view item);
    int ItemCount() const;
    std::string Item(int index) const;
    // The height is that of the text box; the list below it shows DropDownCount items.
    void SetBounds(int left, int top, int width, int height) override;
    void SetDropDownCount(int count);
    int DropDownCount() const { return dropDownCount_; }
    void SetMaxLength(int characters);
    void Command(WORD code) override;

    std::function<void()> OnChange;
    std::function<void()> OnExit;

  private:
    int dropDownCount_ = 8;
};

// A check box; a change made by the program runs the same handling as a click.
class CheckBox : public WindowedControl {
  public:
    void Create(Form& form, std::string_view caption);
    bool Checked() const;
    void SetChecked(bool checked);
    void Command(WORD code) override;

    std::function<void()> OnClick;
};

}  // namespace haripon
