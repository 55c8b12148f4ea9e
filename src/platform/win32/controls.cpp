#include "platform/win32/controls.h"

#include "platform/win32/form.h"
#include "platform/win32/picture.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

void Control::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = {left, top, left + width, top + height};
    Invalidate();
    if (form_)
        form_->ControlChanged(*this);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Invalidate();
    if (form_)
        form_->ControlChanged(*this);
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
}

void Control::SetHint(std::string_view hint) {
    hint_ = hint;
    if (form_)
        form_->ControlChanged(*this);
}

void Control::Invalidate() const {
    if (form_ && form_->Handle())
        InvalidateRect(form_->Handle(), &bounds_, FALSE);
}

void Image::Load(const FileName& file) {
    SetPicture(LoadBitmapFile(file));
}

void Image::SetPicture(Bitmap picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void Image::SetTransparentColor(COLORREF color) {
    transparentColor_ = color;
    Invalidate();
}

// The form clips every control to its bounds.
void Image::Paint(HDC dc) const {
    const RECT& at = Bounds();
    if (transparent_) {
        DrawTransparent(dc, at.left, at.top, picture_, 0, 0, picture_.Width(), picture_.Height(),
                        transparentColor_.value_or(picture_.BottomLeftColor()));
    } else {
        DrawOpaque(dc, at.left, at.top, picture_, 0, 0, picture_.Width(), picture_.Height());
    }
}

void Label::SetCaption(std::string_view caption) {
    caption_ = caption;
    Invalidate();
}

void Label::FitToCaption() {
    const WindowDC screen;
    const SelectedObject font(screen.Get(), UiFont());
    const std::wstring text = WideFromSjis(caption_);
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    SetWidth(size.cx);
    SetHeight(size.cy);
}

void Label::SetColor(COLORREF color) {
    color_ = color;
    transparent_ = false;
    Invalidate();
}

void Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void Label::SetTextColor(COLORREF color) {
    textColor_ = color;
    Invalidate();
}

void Label::Paint(HDC dc) const {
    RECT area = Bounds();
    if (!transparent_) {
        const BrushHandle brush(CreateSolidBrush(color_));
        FillRect(dc, &area, brush.Get());
    }
    const SelectedObject font(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColor_);
    const std::wstring text = WideFromSjis(caption_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_NOPREFIX | DT_NOCLIP);
}

void SpeedButton::LoadGlyph(const FileName& file) {
    SetGlyph(LoadBitmapFile(file));
}

void SpeedButton::SetGlyph(Bitmap strip) {
    glyph_ = std::move(strip);
    Invalidate();
}

void SpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void SpeedButton::SetDown(bool down) {
    down_ = down;
    Invalidate();
}

SpeedButton::GlyphState SpeedButton::State() const {
    if (!Enabled())
        return GlyphState::Disabled;
    if (pressed_)
        return GlyphState::Pressed;
    if (down_)
        return GlyphState::HeldDown;
    return GlyphState::Normal;
}

void SpeedButton::Paint(HDC dc) const {
    RECT area = Bounds();
    const GlyphState state = State();
    const bool sunken = state == GlyphState::Pressed || state == GlyphState::HeldDown;
    if (!flat_) {
        DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
    } else if (sunken || (hovered_ && Enabled())) {
        DrawEdge(dc, &area, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (glyph_.Empty())
        return;
    const int imageWidth = glyph_.Width() / 4;
    const int imageHeight = glyph_.Height();
    const int left = area.left + (Width() - imageWidth) / 2;
    const int top = area.top + (Height() - imageHeight) / 2;
    DrawTransparent(dc, left, top, glyph_, imageWidth * static_cast<int>(state), 0, imageWidth,
                    imageHeight, glyph_.BottomLeftColor());
}

void SpeedButton::MouseDown() {
    pressed_ = true;
    Invalidate();
}

void SpeedButton::MouseTracking(bool inside) {
    if (pressed_ == inside)
        return;
    pressed_ = inside;
    Invalidate();
}

void SpeedButton::MouseUp() {
    pressed_ = false;
    Invalidate();
}

void SpeedButton::MouseHover(bool inside) {
    if (hovered_ == inside)
        return;
    hovered_ = inside;
    Invalidate();
}

}  // namespace haripon
