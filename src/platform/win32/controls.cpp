#include "platform/win32/controls.h"

#include <oleacc.h>

#include <algorithm>

#include "platform/win32/picture.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

// Under Wine every invalidation is a call to the server: what does not change is not
// redrawn.
void Control::SetBounds(int left, int top, int width, int height) {
    const RECT bounds{left, top, left + width, top + height};
    if (EqualRect(&bounds, &bounds_))
        return;
    Invalidate();
    bounds_ = bounds;
    Invalidate();
    if (form_)
        form_->ControlChanged(*this);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Invalidate();
    if (form_) {
        form_->ControlChanged(*this);
        if (!AccessibleName().empty())
            form_->ElementChanged(*this, true);
    }
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
    if (form_)
        form_->FocusFollows(*this);
}

void Control::SetAccessibleName(std::string_view name) {
    if (name_ == name)
        return;
    name_ = name;
    if (form_)
        form_->ElementChanged(*this, false);
}

void Control::SetHint(std::string_view hint) {
    hint_ = hint;
    if (form_)
        form_->ControlChanged(*this);
}

RECT Control::VisibleArea() const {
    RECT visible = bounds_;
    RECT client{};
    if (form_ && form_->HostWindow() && GetClientRect(form_->HostWindow(), &client))
        IntersectRect(&visible, &bounds_, &client);
    return visible;
}

// A hidden form is painted whole when it is shown.
void Control::Invalidate() const {
    const HWND window = form_ ? form_->HostWindow() : nullptr;
    if (window && IsWindowVisible(window))
        InvalidateRect(window, &bounds_, FALSE);
}

namespace {

// The part of a picture of `size` drawn at `at` that shows within `visible`.
PictureRect PartShown(SIZE size, POINT at, const RECT& visible) {
    const LONG left = std::clamp(visible.left - at.x, 0L, size.cx);
    const LONG top = std::clamp(visible.top - at.y, 0L, size.cy);
    const LONG right = std::clamp(visible.right - at.x, left, size.cx);
    const LONG bottom = std::clamp(visible.bottom - at.y, top, size.cy);
    return {left, top, right - left, bottom - top};
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE || (IsRectEmpty(&a) && IsRectEmpty(&b));
}

}  // namespace

void Image::Load(const FileName& file) {
    const RECT visible = VisibleArea();
    for (const Loaded& before : loaded_) {
        if (before.File == file && EqualRect(&before.Bounds, &Bounds()) &&
            SameRect(before.Visible, visible)) {
            if (picture_.Handle() != before.Picture.Handle() || origin_.x != before.Origin.x ||
                origin_.y != before.Origin.y) {
                picture_ = before.Picture;
                origin_ = before.Origin;
                Invalidate();
            }
            return;
        }
    }
    const POINT at{Bounds().left, Bounds().top};
    PictureRect part{};
    PictureParts loaded = LoadPictureParts(
        file,
        [&](SIZE full) {
            part = PartShown(full, at, visible);
            return std::vector<PictureRect>{part};
        },
        transparent_);
    picture_ = std::move(loaded.Kept);
    origin_ = {part.Left, part.Top};
    // Each image shows a few pictures in turn, a face or a slot's two states.
    constexpr std::size_t kKept = 8;
    if (loaded_.size() == kKept)
        loaded_.erase(loaded_.begin());
    loaded_.push_back({file, Bounds(), visible, picture_, origin_});
    Invalidate();
}

void Image::SetPicture(Bitmap picture) {
    picture_ = std::move(picture);
    origin_ = {};
    Invalidate();
}

void Image::SetTransparent(bool transparent) {
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    Invalidate();
}

void Image::SetTransparentColor(COLORREF color) {
    if (transparentColor_ == color)
        return;
    transparentColor_ = color;
    Invalidate();
}

// The form clips every control to its bounds.
void Image::Paint(HDC dc) const {
    const int left = Bounds().left + origin_.x;
    const int top = Bounds().top + origin_.y;
    if (transparent_) {
        DrawTransparent(dc, left, top, picture_, 0, 0, picture_.Width(), picture_.Height(),
                        transparentColor_ ? *transparentColor_ : picture_.BottomLeftColor());
    } else {
        DrawOpaque(dc, left, top, picture_, 0, 0, picture_.Width(), picture_.Height());
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

// Each image is centred in the button: a larger one shows its middle.
POINT SpeedButton::ImageAt(SIZE size) const {
    return {Bounds().left + (Width() - size.cx) / 2, Bounds().top + (Height() - size.cy) / 2};
}

void SpeedButton::LoadGlyph(const FileName& file) {
    const RECT visible = VisibleArea();
    SIZE image{};
    PictureRect part{};
    PictureParts loaded = LoadPictureParts(
        file,
        [&](SIZE full) {
            image = {full.cx / 4, full.cy};
            part = PartShown(image, ImageAt(image), visible);
            std::vector<PictureRect> parts;
            for (LONG i = 0; i < 4; ++i)
                parts.push_back({i * image.cx + part.Left, part.Top, part.Width, part.Height});
            return parts;
        },
        true);
    glyph_ = std::move(loaded.Kept);
    image_ = image;
    origin_ = {part.Left, part.Top};
    Invalidate();
}

void SpeedButton::SetGlyph(Bitmap strip) {
    image_ = {strip.Width() / 4, strip.Height()};
    origin_ = {};
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
    const int keptWidth = glyph_.Width() / 4;
    const POINT at = ImageAt(image_);
    DrawTransparent(dc, at.x + origin_.x, at.y + origin_.y, glyph_,
                    keptWidth * static_cast<int>(state), 0, keptWidth, glyph_.Height(),
                    glyph_.BottomLeftColor());
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

long Control::AccessibleRole() const {
    return ROLE_SYSTEM_GRAPHIC;
}

long SpeedButton::AccessibleRole() const {
    return ROLE_SYSTEM_PUSHBUTTON;
}

void SpeedButton::Press() {
    if (Visible() && Enabled() && OnClick)
        OnClick();
}

void SpeedButton::MouseHover(bool inside) {
    if (hovered_ == inside)
        return;
    hovered_ = inside;
    Invalidate();
}

}  // namespace haripon
