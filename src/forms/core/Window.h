#pragma once
// What code outside the window layer (the sweep above all) works with: a
// window and the screen, as the forms layer's Form and SystemScreen implement
// them. Portable: tests fake them. Geometry is in twips, as single-precision
// numbers.

#include <cstdint>

// The platform's window handle type, as <windows.h> declares it (STRICT), so
// that portable code can hand it to platform calls without including it.
struct HWND__;

namespace kalvenor::forms {

using Handle = HWND__*;

class Window {
public:
    virtual ~Window() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetTop(float twips) = 0;
    // A height of 0 may be asked for; the window keeps whatever the platform allows.
    virtual void SetHeight(float twips) = 0;
    // Moves the window without changing its size.
    virtual void Move(float left, float top) = 0;

    // Read afresh for every platform call: it changes with each load; null
    // while the window is not loaded.
    virtual Handle hWnd() const = 0;

    // Runs the window's Unload event, then destroys it with its timers.
    virtual void Unload() = 0;
};

// A rectangle on the screen in twips; right and bottom exclusive.
struct TwipsRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The screen the windows live on.
class Screen {
public:
    virtual ~Screen() = default;
    virtual float Width() const = 0;   // twips
    virtual float Height() const = 0;  // twips
    virtual float TwipsPerPixelY() const = 0;
    // The primary monitor less the taskbar and the other bars docked on it.
    virtual TwipsRect WorkArea() const = 0;
};

}  // namespace kalvenor::forms
