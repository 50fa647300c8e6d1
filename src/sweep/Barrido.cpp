#include "sweep/Barrido.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "forms/core/ErrorEjecucion.h"

namespace kalvenor {

DatosBarrido EstadoBarrido;

namespace {

// The horizontal thickness of a taskbar at the left or right edge is counted
// at a fixed 15 twips per pixel, whatever the screen's resolution.
constexpr double kTwipsPorPixelHorizontal = 15.0;

PlataformaBarrido* plataformaInstalada = nullptr;
const forms::Pantalla* pantallaInstalada = nullptr;

// The closing sweep whose timer is armed, if any: the window object and the
// handle the timer was armed on.
struct CierreArmado {
    const forms::Ventana* ventana = nullptr;
    forms::Handle handle = 0;
};
CierreArmado cierre;

void OlvidarCierre(forms::Handle handle) {
    if (cierre.ventana != nullptr && cierre.handle == handle) cierre = {};
}

PlataformaBarrido& Plataforma() {
    if (plataformaInstalada == nullptr) throw std::logic_error("UsarPlataformaBarrido was not called before the sweep");
    return *plataformaInstalada;
}

const forms::Pantalla& Pantalla() {
    if (pantallaInstalada == nullptr) throw std::logic_error("UsarPlataformaBarrido was not called before the sweep");
    return *pantallaInstalada;
}

// Nearest whole number, ties to even (the default rounding mode), as a
// 32-bit value; beyond 32 bits it is the run-time's overflow error.
std::int32_t EnteroMasCercano(double valor) {
    const double redondeado = std::nearbyint(valor);
    if (!(redondeado >= std::numeric_limits<std::int32_t>::min() &&
          redondeado <= std::numeric_limits<std::int32_t>::max()))
        throw forms::Desbordamiento();
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

// Taskbar detection: sets PosicionBarra when it decides a case and
// returns GrosorBarra, the thickness in twips that the placement keeps clear.
std::int32_t DetectarBarra(PlataformaBarrido& plataforma, const forms::Pantalla& pantalla) {
    std::int32_t grosorBarra = 0;

    const forms::Handle barra = plataforma.FindWindowA(kClaseBarraTareas, "");
    // "Below 1": 0, or negative as a signed 32-bit number.
    if (static_cast<std::int32_t>(barra) < 1) {
        EstadoBarrido.PosicionBarra = BarraAbajo;
        return grosorBarra;
    }

    RectanguloPixeles r;
    if (plataforma.GetWindowRect(barra, r) <= 0) return grosorBarra;

    const std::int64_t alto = static_cast<std::int64_t>(r.bottom) - r.top;
    grosorBarra = Saturado32(static_cast<double>(alto) * static_cast<double>(pantalla.TwipsPerPixelY()));

    if (r.left <= 0 && r.top > 0) {
        EstadoBarrido.PosicionBarra = BarraAbajo;
    } else if (r.left > 0 && r.top <= 0) {
        EstadoBarrido.PosicionBarra = BarraDerecha;
        grosorBarra = Saturado32((static_cast<std::int64_t>(r.right) - r.left) * kTwipsPorPixelHorizontal);
    } else if (r.left <= 0 && r.top <= 0 && r.right < LimiteBarraIzquierda) {
        EstadoBarrido.PosicionBarra = BarraIzquierda;
        grosorBarra = Saturado32(static_cast<double>(r.right) * kTwipsPorPixelHorizontal);
    } else if (r.left <= 0 && r.top <= 0 && r.right >= LimiteBarraIzquierda) {
        EstadoBarrido.PosicionBarra = BarraArriba;
    }
    // left > 0 and top > 0: no case; PosicionBarra keeps its value.
    return grosorBarra;
}

// Placement when opening, in single-precision twips; height is the one read
// back after collapsing.
void Colocar(forms::Ventana& ventana, const forms::Pantalla& pantalla, std::int32_t grosor) {
    const float anchoPantalla = pantalla.Width();
    const float altoPantalla = pantalla.Height();
    const float ancho = ventana.Width();
    const float alto = ventana.Height();
    const float g = static_cast<float>(grosor);

    switch (EstadoBarrido.PosicionBarra) {
    case BarraAbajo:
        ventana.Move(anchoPantalla - ancho, altoPantalla - alto - g);
        break;
    case BarraDerecha:
        ventana.Move(anchoPantalla - ancho - g, altoPantalla - alto);
        break;
    case BarraIzquierda:
        ventana.Move(g, altoPantalla - alto);
        break;
    case BarraArriba:
        ventana.Move(anchoPantalla - ancho, g);
        break;
    default: {
        // No case decided (a taskbar on another monitor, or one that gives no
        // rectangle): the bottom-right corner of the work area, as for a
        // taskbar along the bottom, so that the window opens on the screen.
        const forms::RectanguloTwips area = pantalla.WorkArea();
        ventana.Move(area.right - ancho, area.bottom - alto);
        break;
    }
    }
}

// The step of one tick, in twips. A step of 0 or less would never end a
// sweep: it becomes the default 200. A step smaller than one pixel would be
// rounded away by the platform and the window would never change: it becomes
// one pixel.
float PasoDelTick(const forms::Pantalla& pantalla) {
    float paso =
        EstadoBarrido.Paso > 0 ? static_cast<float>(EstadoBarrido.Paso) : static_cast<float>(PasoPredeterminado);
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
void TickApertura(forms::Ventana& ventana, PlataformaBarrido& plataforma, float paso) {
    const float alto = ventana.Height();
    ventana.SetHeight(alto + paso);
    const float nuevoAlto = ventana.Height();
    const float crecimiento = nuevoAlto - alto;
    // A window that no longer grows (the platform's largest size) ends the
    // sweep where it is.
    if (crecimiento > 0.0f && EstadoBarrido.PosicionBarra != BarraArriba) ventana.SetTop(ventana.Top() - crecimiento);
    const bool llego = !(static_cast<double>(nuevoAlto) < static_cast<double>(EstadoBarrido.AlturaObjetivo));
    if (llego || !(crecimiento > 0.0f)) plataforma.KillTimer(ventana.hWnd(), kIdTemporizadorBarrido);
}

void TickCierre(forms::Ventana& ventana, PlataformaBarrido& plataforma, float paso) {
    const float alto = ventana.Height();
    if (alto > AlturaCerrada) {
        // A step larger than the height is held at height 0.
        ventana.SetHeight(alto > paso ? alto - paso : 0.0f);
        const float encogimiento = alto - ventana.Height();
        // A window the platform keeps from shrinking (its smallest size above
        // 520 twips) ends the sweep now instead of never.
        if (encogimiento > 0.0f) {
            if (EstadoBarrido.PosicionBarra != BarraArriba) ventana.SetTop(ventana.Top() + encogimiento);
            return;
        }
    }

    const forms::Handle handle = ventana.hWnd();
    plataforma.KillTimer(handle, kIdTemporizadorBarrido);
    OlvidarCierre(handle);
    ventana.Unload();
    // The unload handler may have armed a closing sweep again on the window
    // being destroyed; that timer went with the window. Nothing touches the
    // window from here on.
    OlvidarCierre(handle);
}

}  // namespace

void UsarPlataformaBarrido(PlataformaBarrido& plataforma, const forms::Pantalla& pantalla) {
    plataformaInstalada = &plataforma;
    pantallaInstalada = &pantalla;
}

void IniciarBarrido(forms::Ventana& ventana, std::int16_t mostrar, std::uint8_t opacidad, std::int16_t paso) {
    PlataformaBarrido& plataforma = Plataforma();
    const forms::Pantalla& pantalla = Pantalla();

    // The state that PasoBarrido works from.
    EstadoBarrido.VentanaBarrido = &ventana;
    EstadoBarrido.Mostrar = mostrar;
    EstadoBarrido.AlturaObjetivo = EnteroMasCercano(static_cast<double>(ventana.Height()));
    EstadoBarrido.Paso = paso;

    // Which screen edge the taskbar lies along, and how thick it is.
    const std::int32_t grosorBarra = DetectarBarra(plataforma, pantalla);

    // Only an opening sweep collapses the window and places it in the corner;
    // a closing one leaves its size and position alone.
    if (mostrar == forms::Verdadero) {
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

    // The timer: same handle and id, so a running sweep's timer is replaced.
    const forms::Handle handle = ventana.hWnd();
    plataforma.SetTimer(handle, kIdTemporizadorBarrido, kPeriodoBarridoMs);
    OlvidarCierre(handle);
    if (mostrar != forms::Verdadero) cierre = {&ventana, handle};
}

void PasoBarrido() {
    forms::Ventana* ventana = EstadoBarrido.VentanaBarrido;
    if (ventana == nullptr) return;
    PlataformaBarrido& plataforma = Plataforma();
    const float paso = PasoDelTick(Pantalla());

    if (EstadoBarrido.Mostrar == forms::Verdadero)
        TickApertura(*ventana, plataforma, paso);
    else
        TickCierre(*ventana, plataforma, paso);
}

bool BarridoCerrandoseEn(const forms::Ventana& ventana) {
    return cierre.ventana == &ventana && cierre.handle != 0 && ventana.hWnd() == cierre.handle;
}

void ReiniciarEstadoBarrido() {
    EstadoBarrido = DatosBarrido{};
    cierre = {};
}

}  // namespace kalvenor
