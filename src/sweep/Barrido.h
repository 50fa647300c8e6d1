#pragma once
// The sweep: a window opens out of the screen corner next to the taskbar,
// growing tick by tick, or shrinks and is unloaded.
// Portable: the platform calls go through PlataformaBarrido.

#include <cstdint>

#include "forms/core/Window.h"
#include "sweep/PlataformaBarrido.h"

namespace kalvenor {

// Placement cases: along which screen edge the taskbar lies.
enum class PosicionBarra : std::int16_t {
    Ninguna = 0,    // no case decided yet: bottom right of the work area
    Abajo = 1,      // window bottom right, above the taskbar
    Derecha = 2,    // bottom right, left of the taskbar
    Izquierda = 3,  // bottom left, right of the taskbar
    Arriba = 4,     // top right, below the taskbar
};

// Which way a sweep goes: opening grows the window out of the corner, closing
// shrinks it and unloads it.
enum class Sentido { Abrir, Cerrar };

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

// The sweep of one window: written by IniciarBarrido, read by the ticks of
// the timer on that window.
struct EstadoBarrido {
    forms::Window* VentanaBarrido = nullptr;  // the window being swept
    forms::Handle Temporizador = nullptr;     // the window handle its timer runs on
    Sentido Direccion = Sentido::Abrir;
    std::int32_t AlturaObjetivo = 0;  // twips: the height an opening sweep grows to
    std::int16_t Paso = 0;            // twips per tick, as given by the caller
    // The placement case at the start of the sweep.
    PosicionBarra Posicion = PosicionBarra::Ninguna;
};

// Installs the platform and the screen the sweep works with, once at start
// (tests install fakes). Both must outlive every sweep.
void UsarPlataformaBarrido(PlataformaBarrido& plataforma, const forms::Screen& pantalla);

// Starts a sweep of the window: records its EstadoBarrido, finds the taskbar
// edge, and when opening collapses the window and moves it to the corner; in
// both directions makes it topmost and layered with the opacity (never below
// OpacidadMinima) and arms the 1 ms sweep timer (window handle,
// forms::TimerId::Sweep), replacing a running one and its state.
void IniciarBarrido(forms::Window& ventana, Sentido sentido, std::uint8_t opacidad, std::int16_t paso);

// One tick of the sweep timer on that window handle; the sweep is found from
// the handle, so two windows sweeping at once each step their own. Opening:
// grows the window by one step until it reaches AlturaObjetivo (or stops
// growing), then kills the timer. Closing: shrinks it while it is taller than
// 520 twips; then kills the timer and unloads the window, and touches it no
// more. Either way the top moves by the change of height the window took, so
// that the edge on the taskbar side stays on its pixel (the top edge, with the
// taskbar at the top, never moves). A handle with no sweep: nothing.
void PasoBarrido(forms::Handle ventana);

// The sweep running on this window object, if any: from IniciarBarrido until
// its timer is killed at the end (for tests).
const EstadoBarrido* BarridoDe(const forms::Window& ventana);

// True while a closing sweep's timer is armed on this window object: armed by a
// closing IniciarBarrido, and not since ended by PasoBarrido or replaced by an
// opening IniciarBarrido. Reads ventana.hWnd() only when a closing sweep is
// recorded for this very object, and then compares it with the handle the
// timer was armed on, so that a window destroyed by other means (and so
// without its timer) does not count as closing.
bool BarridoCerrandoseEn(const forms::Window& ventana);

// No sweep, and no taskbar case decided, as at program start (for tests).
void ReiniciarEstadoBarrido();

}  // namespace kalvenor
