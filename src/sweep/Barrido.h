#pragma once
// The sweep: a window opens out of the screen corner next to the taskbar,
// growing tick by tick, or shrinks and is unloaded.
// Portable: the platform calls go through PlataformaBarrido.

#include <cstdint>

#include "forms/core/Ventana.h"
#include "sweep/PlataformaBarrido.h"

namespace kalvenor {

// Placement cases (values of EstadoBarrido.PosicionBarra).
inline constexpr std::int16_t BarraNinguna = 0;    // no case decided yet: bottom right of the work area
inline constexpr std::int16_t BarraAbajo = 1;      // window bottom right, above the taskbar
inline constexpr std::int16_t BarraDerecha = 2;    // bottom right, left of the taskbar
inline constexpr std::int16_t BarraIzquierda = 3;  // bottom left, right of the taskbar
inline constexpr std::int16_t BarraArriba = 4;     // top right, below the taskbar

// The right edge, in pixels, that tells a left-edge taskbar (below it) from a
// top-edge one. A right edge of exactly this value counts as a top taskbar.
inline constexpr std::int32_t LimiteBarraIzquierda = 600;

// A closing sweep ends once the window is no taller than this (twips).
inline constexpr float AlturaCerrada = 520.0f;

// The lowest opacity applied, one fifth: a window fainter than this can hardly
// be seen, and at 0 clicks fall through it. A lower one is applied as this.
inline constexpr std::uint8_t OpacidadMinima = 51;

// The step used when the step given is 0 or negative (it would never end a sweep).
inline constexpr std::int16_t PasoPredeterminado = 200;

// EstadoBarrido: written only by IniciarBarrido, read by PasoBarrido.
struct DatosBarrido {
    forms::Ventana* VentanaBarrido = nullptr;   // the window being swept; outlives its unloading
    std::int16_t Mostrar = 0;                   // True (-1) opens; any other value closes
    std::int32_t AlturaObjetivo = 0;            // twips: the height an opening sweep grows to
    std::int16_t Paso = 0;                      // twips per tick, as given by the caller
    std::int16_t PosicionBarra = BarraNinguna;  // placement case; kept when detection decides nothing
};
extern DatosBarrido EstadoBarrido;

// Installs the platform and the screen the sweep works with, once at start
// (tests install fakes). Both must outlive every sweep.
void UsarPlataformaBarrido(PlataformaBarrido& plataforma, const forms::Pantalla& pantalla);

// Starts a sweep of the window: records EstadoBarrido, finds the taskbar edge,
// and when opening (mostrar == -1) collapses the window and moves it to the
// corner; in both directions makes it topmost and layered with the opacity
// (never below OpacidadMinima) and arms the 1 ms sweep timer (window handle,
// id 0), replacing a running one.
void IniciarBarrido(forms::Ventana& ventana, std::int16_t mostrar, std::uint8_t opacidad, std::int16_t paso);

// One tick of the sweep timer. Opening: grows the window by one step until it
// reaches AlturaObjetivo (or stops growing), then kills the timer. Closing:
// shrinks it while it is taller than 520 twips; then kills the timer and
// unloads the window, and touches it no more. Either way the top moves by the
// change of height the window took, so that the edge on the taskbar side
// stays on its pixel (the top edge, with the taskbar at the top, never moves).
void PasoBarrido();

// True while a closing sweep's timer is armed on this window object: armed by a
// closing IniciarBarrido, and not since killed by PasoBarrido, replaced by an
// opening IniciarBarrido, or gone with the window's unloading at the end of the
// sweep. Reads ventana.hWnd() only when a closing sweep is recorded for this
// very object, and then compares it with the handle the timer was armed on, so
// that a window destroyed by other means (and so without its timer) does not
// count as closing.
bool BarridoCerrandoseEn(const forms::Ventana& ventana);

// EstadoBarrido and the closing record as at program start (for tests).
void ReiniciarEstadoBarrido();

}  // namespace kalvenor
