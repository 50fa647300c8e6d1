#pragma once
// The options and about windows open at the main window's corner.

namespace kalvenor {

namespace forms {
class Form;
}

// Moves the window to the main window's outer corner in pixels times 16, taken
// as twips: a fixed 16, not the screen's twips per pixel, so at 96 dpi it lands
// a little right of and below the main window, the more so the farther that
// window is from the screen's top-left corner. A product beyond 32 bits raises
// the overflow error.
void ColocarJuntoAVentanaPrincipal(forms::Form& ventana);

}  // namespace kalvenor
