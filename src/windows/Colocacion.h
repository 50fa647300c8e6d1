#pragma once
// The options and about windows open at the main window's corner.

namespace kalvenor {

namespace forms {
class Form;
}

// Moves the window to the main window's outer corner in pixels times 16, taken
// as twips: a fixed 16, not the screen's twips per pixel, so at 96 dpi it lands
// a little right of and below the main window, the more so the farther that
// window is from the screen's top-left corner. Where that would put it across
// an edge of its monitor's work area (a large screen, or more than 96 dpi,
// where a twip is more than 1/15 of a pixel) it comes back just inside, so
// that its buttons stay within reach. A product beyond 32 bits raises the
// overflow error.
void ColocarJuntoAVentanaPrincipal(forms::Form& ventana);

}  // namespace kalvenor
