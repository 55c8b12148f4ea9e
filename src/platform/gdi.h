// Owners of GDI objects and device contexts.
#pragma once

#include <windows.h>

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

// A memory device context compatible with the screen, with one object selected into it
// for its lifetime.
class MemoryDC {
  public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    MemoryDC(HGDIOBJ selected) : MemoryDC() { Select(selected); }
    ~MemoryDC() {
        if (previous_)
            SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc_; }
    void Select(HGDIOBJ object) {
        HGDIOBJ old = SelectObject(dc_, object);
        if (!previous_)
            previous_ = old;
    }

  private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// A device-dependent picture with its size.
class Bitmap {
  public:
    Bitmap() = default;
    explicit Bitmap(HBITMAP handle);
    // A blank picture of the given size, compatible with the screen.
    Bitmap(int width, int height);

    HBITMAP Handle() const { return handle_.Get(); }
    bool Empty() const { return !handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF PixelAt(int x, int y) const;
    COLORREF BottomLeftColor() const { return PixelAt(0, height_ - 1); }

  private:
    GdiObject<HBITMAP> handle_;
    int width_ = 0;
    int height_ = 0;
};

// Paints (x, y, width, height) of the picture at (left, top), leaving out one colour.
void DrawTransparent(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                     int height, COLORREF transparent);
void DrawOpaque(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                int height);

// The program's user-interface font: "ＭＳ Ｐゴシック", 9 points, Shift-JIS character set.
HFONT UiFont();

}  // namespace haripon
