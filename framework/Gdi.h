#pragma once
// Owners for the GDI objects the controls create, the conversions from the
// framework's colour and font descriptions, and the display's scale.

#include "framework/Graphics.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

// Owns one GDI object; deletes it when replaced or destroyed.
template <class Handle> class GdiObject {
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
using BitmapHandle = GdiObject<HBITMAP>;

// Owns an icon made for the program (not a shared one of the system's).
struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// Selects an object into a device context for one scope.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A device context for the screen, for measuring before any window exists.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HDC dc_;
};

// One WM_PAINT's device context: BeginPaint now, EndPaint with the scope.
class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory device context compatible with another.
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HDC dc_;
};

// System colours (top bit set) resolved to the current RGB value.
COLORREF ColorToRGB(TColor color);

// The font as Windows is asked for it at that resolution.
LOGFONTW LogFontOf(const TFont& font, int dpi);
// Name, style and character set from the LOGFONT, the size in points from
// tenths of a point (which the font dialog reports whatever the resolution),
// and the colour.
void AssignLogFont(TFont& font, const LOGFONTW& logFont, int pointTenths, TColor color);
FontHandle CreateFontHandle(const TFont& font, int dpi);

// --- The display's scale -------------------------------------------------
// Designs, bounds and font heights are in units of 1/96 inch; windows and
// GDI take pixels at the window's resolution. The functions of newer
// Windows are looked up at run time, so the program still starts on older.

// The screen's resolution, which is the system's and never changes while
// the program runs.
int ScreenDpi();
// The vertical resolution the device context reports, or 96 where it has none.
int DpiOf(HDC dc);
// The window's own resolution where Windows tells it, else the screen's.
int WindowDpi(HWND window);
// A length of 1/96 inch units in pixels at dpi, and back, rounded.
int ScaleToDpi(int value, int dpi);
int ScaleFromDpi(int pixels, int dpi);
RECT ScaleRectToDpi(const RECT& r, int dpi);
RECT ScaleRectFromDpi(const RECT& pixels, int dpi);
// AdjustWindowRectEx and GetSystemMetrics for a window at dpi.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi);
int SystemMetricForDpi(int index, int dpi);
