// Owners of GDI objects and device contexts.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>

namespace haripon {

// A GDI object (bitmap, font, brush) deleted with its owner.
template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;

// A device context of a window, or of the screen for no window, released with its owner.
class WindowDC {
  public:
    explicit WindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// The painting of a window between BeginPaint and EndPaint.
class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The state of a device context, restored when the owner ends.
class SavedDC {
  public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(dc_, saved_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

  private:
    HDC dc_;
    int saved_;
};

// An object selected into a device context for the owner's lifetime.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context compatible with the screen, with one object (normally a bitmap)
// selected into it for its lifetime.
class MemoryDC {
  public:
    explicit MemoryDC(HGDIOBJ selected)
        : dc_(CreateCompatibleDC(nullptr)), previous_(SelectObject(dc_, selected)) {}
    ~MemoryDC() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A picture with its size. Copies share it: a picture loaded once can be shown by every
// control that needs it, and goes when the last of them lets it go.
class Bitmap {
  public:
    Bitmap() = default;
    // `bottomLeft`: the colour a transparent drawing leaves out, when the picture is part of
    // a larger one whose bottom-left pixel it does not hold.
    explicit Bitmap(HBITMAP handle, std::optional<COLORREF> bottomLeft = std::nullopt);
    // A blank picture of the given size, at 32 bits a pixel: what the screen takes without
    // conversion, made without asking the window system for a screen device context.
    Bitmap(int width, int height);
    // A blank picture of the given size in the device context's own format. The system
    // takes its memory from what the process has used before, where a new device-independent
    // bitmap's pages each cost a fault the first time they are written: the off-screen
    // picture of a window's repaint, made from the window's device context.
    Bitmap(HDC reference, int width, int height);
    // `old` itself, to be drawn over anew, when it is of the size and nobody else holds it;
    // else a blank picture of the size. A picture redrawn often (a text) then keeps its
    // memory instead of the system's freeing it and faulting in a new one.
    static Bitmap Reused(Bitmap old, int width, int height);

    HBITMAP Handle() const { return handle_ ? handle_->Picture.Get() : nullptr; }
    bool Empty() const { return !handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF PixelAt(int x, int y) const;
    COLORREF BottomLeftColor() const {
        return bottomLeft_ ? *bottomLeft_ : PixelAt(0, height_ - 1);
    }
    // A one-bit picture of the same size, white where this one has the colour: made once per
    // colour and kept with the picture.
    HBITMAP MaskOf(COLORREF colour) const;

  private:
    struct Shared {
        explicit Shared(HBITMAP picture) : Picture(picture) {}
        GdiObject<HBITMAP> Picture;
        GdiObject<HBITMAP> Mask;
        COLORREF MaskColour = CLR_INVALID;
    };
    std::shared_ptr<Shared> handle_;
    int width_ = 0;
    int height_ = 0;
    std::optional<COLORREF> bottomLeft_;
};

// Paints (x, y, width, height) of the picture at (left, top), leaving out one colour.
void DrawTransparent(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                     int height, COLORREF transparent);
void DrawOpaque(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                int height);

// A Shift-JIS font of the given height: "ＭＳ Ｐゴシック" where the system has it, else the
// first of the usual Japanese faces that the font mapper really gives. Asked for a fixed
// pitch, the first Japanese face the system gives at a fixed pitch.
FontHandle CreateJapaneseFont(int height, BYTE pitchAndFamily);

// The font of the windows and their controls: "ＭＳ Ｐゴシック" (or its stand-in), height -12.
HFONT UiFont();

}  // namespace haripon
