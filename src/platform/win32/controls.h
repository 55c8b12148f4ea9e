// Graphic controls: drawn by their form in stacking order, no windows of their own.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/file_name.h"
#include "platform/win32/control_host.h"
#include "platform/win32/gdi.h"

namespace haripon {

class Form;

class Control {
  public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, bounds_.top, Width(), Height()); }
    void SetTop(int top) { SetBounds(bounds_.left, top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(bounds_.left, bounds_.top, width, Height()); }
    void SetHeight(int height) { SetBounds(bounds_.left, bounds_.top, Width(), height); }
    const RECT& Bounds() const { return bounds_; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }

    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    // A disabled control takes no mouse input: presses on it reach what lies beneath.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetHint(std::string_view hint);
    const std::string& Hint() const { return hint_; }
    // What assistive technology reads for the control (Shift-JIS): its name as set, else its
    // hint; a control with neither is no element of its own.
    void SetAccessibleName(std::string_view name);
    const std::string& AccessibleName() const { return name_.empty() ? hint_ : name_; }
    // What pressing it is called (Shift-JIS), for a control that can be pressed.
    void SetAccessibleAction(std::string_view action) { action_ = action; }
    const std::string& AccessibleAction() const { return action_; }
    virtual long AccessibleRole() const;
    // A control the keyboard reaches (Tab) while it can be seen and used, and what Space and
    // Enter on it do.
    void SetTabStop(bool stop) { tabStop_ = stop; }
    bool TabStop() const { return tabStop_ && visible_ && enabled_ && Width() > 0 && Height() > 0; }
    virtual void Press() {}

    // Runs when the left button is pressed and released over the control.
    std::function<void()> OnClick;

    virtual void Paint(HDC dc) const = 0;
    // False for a control the mouse passes through even when enabled.
    virtual bool TakesMouse() const { return true; }
    virtual void MouseDown() {}
    virtual void MouseTracking(bool /*inside*/) {}
    virtual void MouseUp() {}
    virtual void MouseHover(bool /*inside*/) {}

  protected:
    void Invalidate() const;
    // Where the control can be seen: its bounds within its form's client area.
    RECT VisibleArea() const;

  private:
    friend class Form;
    ControlHost* form_ = nullptr;
    RECT bounds_{};
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    std::string hint_;
    std::string name_;
    std::string action_;
};

// A picture at its natural size from the top-left corner, clipped to the control.
class Image : public Control {
  public:
    // Loads a bitmap file, keeping only what the control shows at its place (so place it
    // first); on an error the control keeps its picture and throws. A picture it has shown
    // before at the same place comes from memory.
    void Load(const FileName& file);
    // A picture of the program's own making, shown whole.
    void SetPicture(Bitmap picture);
    // What is kept of the picture now shown.
    const Bitmap& Picture() const { return picture_; }
    // The picture given up, to be drawn over and set again.
    Bitmap TakePicture() { return std::exchange(picture_, Bitmap()); }
    void Clear() { SetPicture(Bitmap()); }
    // Cleared, and the pictures it has shown let go: for an image never shown again.
    void Forget() {
        Clear();
        loaded_.clear();
    }

    // A transparent image leaves out one colour: the picture's bottom-left pixel unless a
    // colour is named.
    void SetTransparent(bool transparent);
    void SetTransparentColor(COLORREF color);
    void SetMouseThrough(bool through) { mouseThrough_ = through; }

    void Paint(HDC dc) const override;
    bool TakesMouse() const override { return !mouseThrough_; }

  private:
    // A picture loaded before, and the place it was kept for.
    struct Loaded {
        FileName File;
        RECT Bounds;
        RECT Visible;
        Bitmap Picture;
        POINT Origin;
    };

    Bitmap picture_;
    POINT origin_{};  // where the kept part lies in the picture
    std::vector<Loaded> loaded_;
    bool transparent_ = false;
    std::optional<COLORREF> transparentColor_;
    bool mouseThrough_ = false;
};

// A line of text on its own colour or on whatever lies beneath.
class Label : public Control {
  public:
    void SetCaption(std::string_view caption);  // Shift-JIS
    const std::string& Caption() const { return caption_; }
    // Width and height of the caption in the user-interface font.
    void FitToCaption();
    void SetColor(COLORREF color);
    void SetTransparent(bool transparent);
    void SetTextColor(COLORREF color);

    void Paint(HDC dc) const override;

  private:
    std::string caption_;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    COLORREF textColor_ = GetSysColor(COLOR_WINDOWTEXT);
    bool transparent_ = false;
};

// A button showing one image of a glyph strip of four: normal, disabled, pressed, held
// down. Each image is a quarter of the strip's width whatever the button's size; the
// strip's bottom-left colour is transparent.
class SpeedButton : public Control {
  public:
    enum class GlyphState { Normal = 0, Disabled = 1, Pressed = 2, HeldDown = 3 };

    // Loads a glyph strip file, keeping of each image only what the button shows at its
    // place and size (so place it first); on an error the button keeps its glyph and throws.
    void LoadGlyph(const FileName& file);
    // A strip of the program's own making, kept whole.
    void SetGlyph(Bitmap strip);
    void SetFlat(bool flat);
    void SetDown(bool down);
    bool Down() const { return down_; }
    GlyphState State() const;

    void Paint(HDC dc) const override;
    void MouseDown() override;
    void MouseTracking(bool inside) override;
    void MouseUp() override;
    void MouseHover(bool inside) override;
    long AccessibleRole() const override;
    // As a click: the button's action, if it is enabled.
    void Press() override;

  private:
    // Where image `index` of a strip of images of `size` lies within the button.
    POINT ImageAt(SIZE size) const;

    Bitmap glyph_;    // the kept parts of the four images, side by side
    SIZE image_{};    // each image's size in the strip's file
    POINT origin_{};  // where the kept part of each image lies in the image
    bool flat_ = false;
    bool down_ = false;
    bool pressed_ = false;
    bool hovered_ = false;
};

}  // namespace haripon
