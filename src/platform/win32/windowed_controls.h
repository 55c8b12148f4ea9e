// Controls that are windows of their own: the edit box, the editable combo box and the
// check box, each with a background colour that the theme can set. Their windows cost
// memory (the common controls load with the first of them), so they are made the first
// time their form is shown: until then each control keeps what is set on it and answers
// from that, notifications included, as its window would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/control_host.h"
#include "platform/win32/gdi.h"

namespace haripon {

class WindowedControl {
  public:
    WindowedControl() = default;
    virtual ~WindowedControl() = default;
    WindowedControl(const WindowedControl&) = delete;
    WindowedControl& operator=(const WindowedControl&) = delete;

    // Null until the form is first shown.
    HWND Handle() const { return handle_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetTop(int top);
    RECT Bounds() const;
    // As the form's own controls, what does not change costs nothing.
    void SetEnabled(bool enabled);
    // Only the program enables a control: it is known without asking its window.
    bool Enabled() const { return enabled_; }
    void SetVisible(bool visible);
    void Focus();
    void SetColor(COLORREF color);
    // Shown when the mouse rests on the control (Shift-JIS).
    void SetHint(std::string_view hint);

    std::string Text() const;                     // Shift-JIS
    virtual void SetText(std::string_view text);  // Shift-JIS

    // The form forwards the control's notifications and colour requests.
    virtual void Command(WORD /*code*/) {}
    HBRUSH PaintColors(HDC dc) const;

    // Called by the form as it is first shown: the window is made with all that was set.
    void MakeWindow();

  protected:
    // The control joins the form (in tab order); its window is made with the form's first
    // showing.
    void Attach(ControlHost& form, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // The window has just been made: what only the subclass knows is given to it.
    virtual void WindowMade() {}
    // The text set before the window was made.
    const std::wstring& TextBeforeWindow() const { return text_; }

  private:
    ControlHost* form_ = nullptr;
    HWND handle_ = nullptr;
    const wchar_t* className_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    // What the window is made with.
    RECT bounds_{};
    bool enabled_ = true;
    bool visible_ = true;
    std::wstring text_;
    std::string hint_;
    COLORREF color_ = GetSysColor(COLOR_WINDOW);
    BrushHandle brush_{CreateSolidBrush(GetSysColor(COLOR_WINDOW))};
};

// A one-line edit box for Shift-JIS text. Whatever reaches it (typed, pasted or composed
// by an input method) keeps only the characters code page 932 can hold and, with a limit,
// only as many as fit the limit in Shift-JIS bytes, as the text will be stored.
class Edit : public WindowedControl {
  public:
    void Create(ControlHost& form);
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
    void Create(ControlHost& form);
    void SetItems(const std::vector<std::string>& items);  // Shift-JIS
    void ClearItems();
    void AddItem(std::string_view item);
    int ItemCount() const;
    std::string Item(int index) const;  // Shift-JIS
    // The height is that of the text box; the list below it shows DropDownCount items.
    void SetBounds(int left, int top, int width, int height) override;
    void SetDropDownCount(int count);
    int DropDownCount() const { return dropDownCount_; }
    void SetMaxLength(int characters);
    void Command(WORD code) override;

    std::function<void()> OnChange;
    std::function<void()> OnExit;

  private:
    void WindowMade() override;

    int dropDownCount_ = 8;
    int maxLength_ = 0;                // 0: the system's limit
    std::vector<std::wstring> items_;  // only the program changes the list
};

// A check box; a change made by the program runs the same handling as a click.
class CheckBox : public WindowedControl {
  public:
    void Create(ControlHost& form, std::string_view caption);
    bool Checked() const;
    void SetChecked(bool checked);
    void Command(WORD code) override;

    std::function<void()> OnClick;

  private:
    void WindowMade() override;

    bool checked_ = false;  // only the program ticks it (BS_CHECKBOX): a click comes to Command
};

}  // namespace haripon
