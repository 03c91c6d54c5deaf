#pragma once
// Where a form's controls are on the screen at the process's resolution:
// their 1/96-inch bounds and font heights times DPI/96, within rounding.

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <typeinfo>
#include <vector>

// The control's window or area in its parent's client coordinates.
inline RECT PlacedRect(const TControl& control) {
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated())
        return control.PixelBounds();
    RECT r;
    GetWindowRect(windowed->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(windowed->Handle(), GA_PARENT),
                    reinterpret_cast<POINT*>(&r), 2);
    if (const TContainer* parent = control.Parent()) { // past the panels between
        const RECT origin = parent->ToHost({});
        OffsetRect(&r, -origin.left, -origin.top);
    }
    return r;
}

// The height the control's font was asked for.
inline int RequestedFontHeight(TControl& control) {
    LOGFONTA font{};
    GetObjectA(control.FontHandleOf(), sizeof font, &font);
    return font.lfHeight;
}

inline void ExpectScaled(long pixels, int units, int dpi, const char* what, const TControl& c) {
    EXPECT_LE(std::abs(pixels - units * dpi / 96.0), 1.0)
        << what << " of '" << c.Caption() << "' (" << typeid(c).name() << ") at " << dpi;
}

// Every control below parent, at any depth; the fonts of the windowed
// controls and the containers.
inline void ExpectScaledLayout(const TContainer& parent, int dpi) {
    for (TControl* child : parent.Controls()) {
        const RECT placed = PlacedRect(*child);
        const RECT& bounds = child->BoundsRect();
        ExpectScaled(placed.left, bounds.left, dpi, "left", *child);
        ExpectScaled(placed.top, bounds.top, dpi, "top", *child);
        ExpectScaled(placed.right, bounds.right, dpi, "right", *child);
        ExpectScaled(placed.bottom, bounds.bottom, dpi, "bottom", *child);
        const auto* inner = dynamic_cast<const TContainer*>(child);
        if (inner || dynamic_cast<TWinControl*>(child))
            ExpectScaled(RequestedFontHeight(*child), child->Font.Height(), dpi, "font", *child);
        if (inner)
            ExpectScaledLayout(*inner, dpi);
    }
}

// The form's client area for its 96-ppi size, and every control on it.
inline void ExpectScaledForm(const TForm& form, int width, int height, int dpi) {
    RECT client;
    GetClientRect(form.Handle(), &client);
    ExpectScaled(client.right, width, dpi, "width", form);
    ExpectScaled(client.bottom, height, dpi, "height", form);
    ExpectScaledLayout(form, dpi);
}

// Everything a screen of another scale could change, to compare exactly.
inline void CollectLayout(TContainer& parent, std::vector<long>& layout) {
    RECT window{};
    if (const auto* windowed = dynamic_cast<const TWinControl*>(&parent.Self()))
        GetWindowRect(windowed->Handle(), &window); // a panel's place is its parent's to say
    layout.insert(layout.end(), {window.left, window.top, window.right, window.bottom,
                                 RequestedFontHeight(parent.Self())});
    for (TControl* child : parent.Controls()) {
        const RECT placed = PlacedRect(*child);
        layout.insert(layout.end(), {placed.left, placed.top, placed.right, placed.bottom});
        if (auto* inner = dynamic_cast<TContainer*>(child))
            CollectLayout(*inner, layout);
    }
}

// What the screen shows of an area of the window's client area, once the
// window has painted it.
inline std::vector<std::uint32_t> Pixels(HWND window, const RECT& area) {
    UpdateWindow(window);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}
