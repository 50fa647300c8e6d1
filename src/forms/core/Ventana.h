#pragma once
// The part of a form that code outside the window layer (the sweep above all)
// works with. Portable: the Win32 form implements it, tests fake it.
// Geometry is in twips, as single-precision numbers.

#include <cstdint>

namespace kalvenor::forms {

// The platform window handle, carried as an integer so that portable code can
// hand it to platform calls without including <windows.h>.
using Handle = std::intptr_t;

class Ventana {
public:
    virtual ~Ventana() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetTop(float twips) = 0;
    // A height of 0 may be asked for; the window keeps whatever the platform allows.
    virtual void SetHeight(float twips) = 0;
    // Moves the window without changing its size.
    virtual void Move(float left, float top) = 0;

    // Read afresh for every platform call: it changes with each load.
    virtual Handle hWnd() const = 0;

    // Runs the window's Unload event, then destroys it with its timers.
    virtual void Unload() = 0;
};

// A rectangle on the screen in twips; right and bottom exclusive.
struct RectanguloTwips {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The screen the windows live on.
class Pantalla {
public:
    virtual ~Pantalla() = default;
    virtual float Width() const = 0;   // twips
    virtual float Height() const = 0;  // twips
    virtual float TwipsPerPixelY() const = 0;
    // The primary monitor less the taskbar and the other bars docked on it.
    virtual RectanguloTwips WorkArea() const = 0;
};

}  // namespace kalvenor::forms
