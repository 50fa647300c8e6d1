#include "sweep/Barrido.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "forms/core/RuntimeError.h"
#include "forms/core/Units.h"

namespace kalvenor {

namespace {

// The horizontal thickness of a taskbar at the left or right edge is counted
// at a fixed 15 twips per pixel, whatever the screen's resolution.
constexpr double kTwipsPorPixelHorizontal = forms::kTwipsPerPixelSideTaskbar;

PlataformaBarrido* plataformaInstalada = nullptr;
const forms::Screen* pantallaInstalada = nullptr;

// The sweeps whose timers are armed, one a window at most. A window destroyed
// by other means leaves its record behind, with a handle it no longer has,
// until the same window object sweeps again.
std::vector<EstadoBarrido> barridos;

// The taskbar case of the last detection that decided one: kept when a
// detection decides nothing, never reset.
PosicionBarra posicionDecidida = PosicionBarra::Ninguna;

EstadoBarrido* BuscarPorTemporizador(forms::Handle handle) {
    const auto b = std::find_if(barridos.begin(), barridos.end(),
                                [handle](const EstadoBarrido& e) { return e.Temporizador == handle; });
    return b != barridos.end() ? &*b : nullptr;
}

// The sweep ends: its timer is killed and its record goes.
void Terminar(PlataformaBarrido& plataforma, forms::Handle handle) {
    plataforma.KillTimer(handle, kIdTemporizadorBarrido);
    std::erase_if(barridos, [handle](const EstadoBarrido& e) { return e.Temporizador == handle; });
}

PlataformaBarrido& Plataforma() {
    if (plataformaInstalada == nullptr) throw std::logic_error("UsarPlataformaBarrido was not called before the sweep");
    return *plataformaInstalada;
}

const forms::Screen& Pantalla() {
    if (pantallaInstalada == nullptr) throw std::logic_error("UsarPlataformaBarrido was not called before the sweep");
    return *pantallaInstalada;
}

// Nearest whole number, ties to even (the default rounding mode), as a
// 32-bit value; beyond 32 bits it is the run-time's overflow error.
std::int32_t EnteroMasCercano(double valor) {
    const double redondeado = std::nearbyint(valor);
    if (!(redondeado >= std::numeric_limits<std::int32_t>::min() &&
          redondeado <= std::numeric_limits<std::int32_t>::max()))
        throw forms::Overflow();
    return static_cast<std::int32_t>(redondeado);
}

// The taskbar thickness is kept 32-bit wide: a bar 2185 pixels or more would
// not fit 16 bits. Beyond 32 bits it saturates.
std::int32_t Saturado32(double valor) {
    const double redondeado = std::nearbyint(valor);
    if (std::isnan(redondeado)) return 0;
    if (redondeado <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (redondeado >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(redondeado);
}

// Taskbar detection: sets posicionDecidida when it decides a case and
// returns GrosorBarra, the thickness in twips that the placement keeps clear.
std::int32_t DetectarBarra(PlataformaBarrido& plataforma, const forms::Screen& pantalla) {
    std::int32_t grosorBarra = 0;

    const forms::Handle barra = plataforma.FindWindowA(kClaseBarraTareas, "");
    // "Below 1": 0, or negative as a signed 32-bit number.
    if (static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(barra)) < 1) {
        posicionDecidida = PosicionBarra::Abajo;
        return grosorBarra;
    }

    RectanguloPixeles r;
    if (plataforma.GetWindowRect(barra, r) <= 0) return grosorBarra;

    const std::int64_t alto = static_cast<std::int64_t>(r.bottom) - r.top;
    grosorBarra = Saturado32(static_cast<double>(alto) * static_cast<double>(pantalla.TwipsPerPixelY()));

    if (r.left <= 0 && r.top > 0) {
        posicionDecidida = PosicionBarra::Abajo;
    } else if (r.left > 0 && r.top <= 0) {
        posicionDecidida = PosicionBarra::Derecha;
        grosorBarra = Saturado32((static_cast<std::int64_t>(r.right) - r.left) * kTwipsPorPixelHorizontal);
    } else if (r.left <= 0 && r.top <= 0 && r.right < LimiteBarraIzquierda) {
        posicionDecidida = PosicionBarra::Izquierda;
        grosorBarra = Saturado32(static_cast<double>(r.right) * kTwipsPorPixelHorizontal);
    } else if (r.left <= 0 && r.top <= 0 && r.right >= LimiteBarraIzquierda) {
        posicionDecidida = PosicionBarra::Arriba;
    }
    // left > 0 and top > 0: no case; posicionDecidida keeps its value.
    return grosorBarra;
}

// Placement when opening, in single-precision twips; height is the one read
// back after collapsing.
void Colocar(forms::Window& ventana, const forms::Screen& pantalla, std::int32_t grosor) {
    const float anchoPantalla = pantalla.Width();
    const float altoPantalla = pantalla.Height();
    const float ancho = ventana.Width();
    const float alto = ventana.Height();
    const float g = static_cast<float>(grosor);

    switch (posicionDecidida) {
    case PosicionBarra::Abajo:
        ventana.Move(anchoPantalla - ancho, altoPantalla - alto - g);
        break;
    case PosicionBarra::Derecha:
        ventana.Move(anchoPantalla - ancho - g, altoPantalla - alto);
        break;
    case PosicionBarra::Izquierda:
        ventana.Move(g, altoPantalla - alto);
        break;
    case PosicionBarra::Arriba:
        ventana.Move(anchoPantalla - ancho, g);
        break;
    case PosicionBarra::Ninguna: {
        // No case decided (a taskbar on another monitor, or one that gives no
        // rectangle): the bottom-right corner of the work area, as for a
        // taskbar along the bottom, so that the window opens on the screen.
        const forms::TwipsRect area = pantalla.WorkArea();
        ventana.Move(area.right - ancho, area.bottom - alto);
        break;
    }
    }
}

// The step of one tick, in twips. A step of 0 or less would never end a
// sweep: it becomes the default 200. A step smaller than one pixel would be
// rounded away by the platform and the window would never change: it becomes
// one pixel.
float PasoDelTick(const EstadoBarrido& barrido, const forms::Screen& pantalla) {
    float paso = barrido.Paso > 0 ? static_cast<float>(barrido.Paso) : static_cast<float>(PasoPredeterminado);
    const float pixel = pantalla.TwipsPerPixelY();
    if (pixel > 0.0f && paso < pixel) paso = pixel;
    return paso;
}

// Each tick moves the top by the change of height the window actually took,
// read back after the change, not by the step asked for: the platform fits
// the height to whole pixels (a step of 90 twips at 12 twips per pixel is 7.5
// pixels), and the top follows that height exactly, so the edge on the
// taskbar side stays on its pixel. With a step of whole pixels the change is
// the step itself.
void TickApertura(const EstadoBarrido& barrido, PlataformaBarrido& plataforma, float paso) {
    forms::Window& ventana = *barrido.VentanaBarrido;
    const float alto = ventana.Height();
    ventana.SetHeight(alto + paso);
    const float nuevoAlto = ventana.Height();
    const float crecimiento = nuevoAlto - alto;
    // A window that no longer grows (the platform's largest size) ends the
    // sweep where it is.
    if (crecimiento > 0.0f && barrido.Posicion != PosicionBarra::Arriba) ventana.SetTop(ventana.Top() - crecimiento);
    const bool llego = !(static_cast<double>(nuevoAlto) < static_cast<double>(barrido.AlturaObjetivo));
    if (llego || !(crecimiento > 0.0f)) Terminar(plataforma, barrido.Temporizador);
}

void TickCierre(const EstadoBarrido& barrido, PlataformaBarrido& plataforma, float paso) {
    forms::Window& ventana = *barrido.VentanaBarrido;
    const float alto = ventana.Height();
    if (alto > AlturaCerrada) {
        // A step larger than the height is held at height 0.
        ventana.SetHeight(alto > paso ? alto - paso : 0.0f);
        const float encogimiento = alto - ventana.Height();
        // A window the platform keeps from shrinking (its smallest size above
        // 520 twips) ends the sweep now instead of never.
        if (encogimiento > 0.0f) {
            if (barrido.Posicion != PosicionBarra::Arriba) ventana.SetTop(ventana.Top() + encogimiento);
            return;
        }
    }

    Terminar(plataforma, barrido.Temporizador);
    ventana.Unload();
    // Nothing touches the window from here on.
}

}  // namespace

void UsarPlataformaBarrido(PlataformaBarrido& plataforma, const forms::Screen& pantalla) {
    plataformaInstalada = &plataforma;
    pantallaInstalada = &pantalla;
}

void IniciarBarrido(forms::Window& ventana, Sentido sentido, std::uint8_t opacidad, std::int16_t paso) {
    PlataformaBarrido& plataforma = Plataforma();
    const forms::Screen& pantalla = Pantalla();
    const std::int32_t alturaObjetivo = EnteroMasCercano(static_cast<double>(ventana.Height()));

    // Which screen edge the taskbar lies along, and how thick it is.
    const std::int32_t grosorBarra = DetectarBarra(plataforma, pantalla);

    // Only an opening sweep collapses the window and places it in the corner;
    // a closing one leaves its size and position alone.
    if (sentido == Sentido::Abrir) {
        ventana.SetHeight(0.0f);
        Colocar(ventana, pantalla, grosorBarra);
    }

    // Topmost in both directions; the main window's own timer decides later
    // whether it stays so. Ordering only: the window the user works in keeps
    // the activation.
    plataforma.SetWindowPos(ventana.hWnd(), kHwndTopmost, 0, 0, 0, 0, kSwpNoSizeNoMove | kSwpNoActivate);

    // Translucent with the opacity, never so faint that it cannot be found.
    const std::int32_t estilo = plataforma.GetWindowLongA(ventana.hWnd(), kGwlExStyle);
    plataforma.SetWindowLongA(ventana.hWnd(), kGwlExStyle, estilo | kWsExLayered);
    plataforma.SetLayeredWindowAttributes(ventana.hWnd(), 0, std::max(opacidad, OpacidadMinima), kLwaAlpha);

    // The timer: same handle and id, so a running sweep's timer is replaced,
    // and so is its record (the window object's, or a gone window's whose
    // handle this one has now).
    const forms::Handle handle = ventana.hWnd();
    plataforma.SetTimer(handle, kIdTemporizadorBarrido, kPeriodoBarridoMs);
    std::erase_if(barridos,
                  [&](const EstadoBarrido& e) { return e.VentanaBarrido == &ventana || e.Temporizador == handle; });
    barridos.push_back({&ventana, handle, sentido, alturaObjetivo, paso, posicionDecidida});
}

void PasoBarrido(forms::Handle ventana) {
    const EstadoBarrido* encontrado = BuscarPorTemporizador(ventana);
    if (encontrado == nullptr) return;
    // A copy: the tick may end the sweep and drop its record.
    const EstadoBarrido barrido = *encontrado;
    PlataformaBarrido& plataforma = Plataforma();
    const float paso = PasoDelTick(barrido, Pantalla());

    if (barrido.Direccion == Sentido::Abrir)
        TickApertura(barrido, plataforma, paso);
    else
        TickCierre(barrido, plataforma, paso);
}

const EstadoBarrido* BarridoDe(const forms::Window& ventana) {
    const auto b = std::find_if(barridos.begin(), barridos.end(),
                                [&ventana](const EstadoBarrido& e) { return e.VentanaBarrido == &ventana; });
    return b != barridos.end() ? &*b : nullptr;
}

bool BarridoCerrandoseEn(const forms::Window& ventana) {
    const EstadoBarrido* barrido = BarridoDe(ventana);
    return barrido && barrido->Direccion == Sentido::Cerrar && barrido->Temporizador != nullptr &&
           ventana.hWnd() == barrido->Temporizador;
}

void ReiniciarEstadoBarrido() {
    barridos.clear();
    posicionDecidida = PosicionBarra::Ninguna;
}

}  // namespace kalvenor
