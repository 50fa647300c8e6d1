// The sweep against a fake taskbar, timer and window.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>

#include "FalsosBarrido.h"
#include "forms/core/RuntimeError.h"
#include "forms/core/Units.h"
#include "sweep/Barrido.h"

namespace kalvenor {
namespace {

using pruebas::PantallaFalsa;
using pruebas::PlataformaFalsa;
using pruebas::VentanaFalsa;

constexpr Sentido kAbrir = Sentido::Abrir;
constexpr Sentido kCerrar = Sentido::Cerrar;
const forms::Handle kHwnd = pruebas::Hwnd(1001);
constexpr int kAltoPantalla = 768;  // pixels

class Barrido : public ::testing::Test {
protected:
    void SetUp() override {
        ReiniciarEstadoBarrido();
        UsarPlataformaBarrido(plataforma, pantalla);
        plataforma.estilos[kHwnd] = 0x100;
    }
    void TearDown() override { ReiniciarEstadoBarrido(); }

    int Px(float twips) const { return forms::PixelsFromTwips(twips, pantalla.ppp); }

    // A window 6600 twips wide standing at (1500, 1500) twips.
    VentanaFalsa& Ventana(float alto = 5700.0f) {
        ventana =
            std::make_unique<VentanaFalsa>(plataforma, kHwnd, pantalla.ppp, Px(1500), Px(1500), Px(6600), Px(alto));
        return *ventana;
    }

    // Opens with no taskbar: case 1, thickness 0, bottom edge on the screen's.
    VentanaFalsa& AbiertaDesdeCero(float altoDisenado, std::int16_t paso) {
        plataforma.barra = nullptr;
        VentanaFalsa& v = Ventana(altoDisenado);
        IniciarBarrido(v, kAbrir, 255, paso);
        return v;
    }

    // A window standing open in case 1 at the bottom of the screen.
    VentanaFalsa& AbiertaDeAlto(float alto) {
        plataforma.barra = nullptr;
        VentanaFalsa& v = Ventana(alto);
        v.Move(8760.0f, pantalla.Height() - alto);
        return v;
    }

    PlataformaFalsa plataforma;
    PantallaFalsa pantalla;
    std::unique_ptr<VentanaFalsa> ventana;
};

// ---------------------------------------------------- Placement and set-up

struct CasoColocacion {
    const char* nombre;
    std::intptr_t barra;
    RectanguloPixeles rect;
    int ppp;
    PosicionBarra posicion;
    float left;
    float top;
};

// 1024 x 768 pixels; window 6600 twips wide, height read back 0.
const CasoColocacion kColocaciones[] = {
    {"abajo", 77, {0, 738, 1024, 768}, 96, PosicionBarra::Abajo, 8760, 11070},
    {"derecha", 77, {964, 0, 1024, 768}, 96, PosicionBarra::Derecha, 7860, 11520},
    {"izquierda", 77, {0, 0, 60, 768}, 96, PosicionBarra::Izquierda, 900, 11520},
    {"arriba", 77, {0, 0, 1024, 30}, 96, PosicionBarra::Arriba, 8760, 450},
    // Two pixels past the screen: thickness 34 * 15 = 510.
    {"abajo_fuera_de_pantalla", 77, {-2, 736, 1026, 770}, 96, PosicionBarra::Abajo, 8760, 11010},
    // 12 twips per pixel: vertical thickness 30 * 12 = 360; horizontal stays 60 * 15 = 900.
    {"arriba_a_120_ppp", 77, {0, 0, 1024, 30}, 120, PosicionBarra::Arriba, 12288 - 6600, 360},
    {"izquierda_a_120_ppp", 77, {0, 0, 60, 768}, 120, PosicionBarra::Izquierda, 900, 9216},
    {"sin_barra", 0, {0, 0, 0, 0}, 96, PosicionBarra::Abajo, 8760, 11520},
    // A handle below 1 as a signed 32-bit number counts as no taskbar.
    {"handle_negativo", -5, {0, 738, 1024, 768}, 96, PosicionBarra::Abajo, 8760, 11520},
    // A right edge of exactly 600 pixels is a top taskbar.
    {"borde_600_es_arriba", 77, {0, 0, 600, 30}, 96, PosicionBarra::Arriba, 8760, 450},
    {"borde_599_es_izquierda", 77, {0, 0, 599, 30}, 96, PosicionBarra::Izquierda, 599 * 15, 11520},
    // Wine's hidden tray window: (0, 0, 0, 0) is a left bar 0 thick.
    {"rect_vacio_de_wine", 77, {0, 0, 0, 0}, 96, PosicionBarra::Izquierda, 0, 11520},
};

class Colocacion : public Barrido, public ::testing::WithParamInterface<CasoColocacion> {};

TEST_P(Colocacion, DecideElCasoYMueveLaVentanaAlRincon) {
    const CasoColocacion& caso = GetParam();
    pantalla.ppp = caso.ppp;
    plataforma.barra = pruebas::Hwnd(caso.barra);
    plataforma.rectBarra = caso.rect;
    VentanaFalsa& v = Ventana();

    IniciarBarrido(v, kAbrir, 255, 200);

    EXPECT_EQ(BarridoDe(v)->Posicion, caso.posicion);
    EXPECT_EQ(v.Alto(), 0);
    EXPECT_EQ(v.Left(), caso.left);
    EXPECT_EQ(v.Top(), caso.top);
}

INSTANTIATE_TEST_SUITE_P(Casos, Colocacion, ::testing::ValuesIn(kColocaciones),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Barrido, EnAmbosSentidosQuedaEncimaTranslucidaYConElTemporizadorEnMarcha) {
    const struct {
        Sentido sentido;
        std::uint8_t opacidad;
        std::uint8_t alfa;  // applied: never below one fifth
    } casos[] = {{kAbrir, 0, 51},    {kAbrir, 50, 51},  {kAbrir, 51, 51},
                 {kAbrir, 255, 255}, {kCerrar, 10, 51}, {kCerrar, 128, 128}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << "abrir " << (caso.sentido == kAbrir) << ", opacidad " << int{caso.opacidad});
        ReiniciarEstadoBarrido();
        plataforma.encima.clear();
        plataforma.temporizadores.clear();
        plataforma.estilos[kHwnd] = 0x100;
        VentanaFalsa& v = Ventana(5700.0f);

        IniciarBarrido(v, caso.sentido, caso.opacidad, 300);

        EXPECT_EQ(plataforma.encima.count(kHwnd), 1u);
        // Ordering only: the window the user works in keeps the activation.
        EXPECT_TRUE(plataforma.banderasOrden[kHwnd] & kSwpNoActivate);
        EXPECT_EQ(plataforma.estilos[kHwnd], 0x100 | 0x80000);
        EXPECT_EQ(plataforma.alfas[kHwnd], caso.alfa);
        EXPECT_TRUE(plataforma.HayTemporizador(kHwnd));
        if (caso.sentido == kAbrir) {
            EXPECT_EQ(v.Alto(), 0);
            continue;
        }
        // A closing call leaves the window where and as it was; its first
        // tick shrinks it.
        EXPECT_EQ(v.Left(), 1500.0f);
        EXPECT_EQ(v.Top(), 1500.0f);
        EXPECT_EQ(v.Height(), 5700.0f);
        plataforma.Tick();
        EXPECT_EQ(v.Height(), 5400.0f);
    }
}

TEST_F(Barrido, LaAlturaObjetivoEsLaAlturaEnTwipsRedondeadaAlParMasCercano) {
    const struct {
        int ppp;
        int alto;  // pixels
        std::int32_t objetivo;
    } casos[] = {{192, 1, 8}, {192, 3, 22}, {192, 5, 38}, {96, 374, 5610}};  // 7.5, 22.5, 37.5 twips
    for (const auto& caso : casos) {
        pantalla.ppp = caso.ppp;
        VentanaFalsa v(plataforma, kHwnd, caso.ppp, 0, 0, 100, caso.alto);
        IniciarBarrido(v, kCerrar, 255, 300);
        EXPECT_EQ(BarridoDe(v)->AlturaObjetivo, caso.objetivo) << caso.alto << " px at " << caso.ppp;
    }
}

TEST_F(Barrido, UnaAlturaFueraDe32BitsEsDesbordamiento) {
    try {
        IniciarBarrido(Ventana(3.0e9f), kCerrar, 255, 300);
        FAIL() << "no error";
    } catch (const forms::RuntimeError& error) {
        EXPECT_EQ(error.Number(), forms::kErrorOverflow);
    }
}

TEST_F(Barrido, UnaLlamadaQueNoDecideCasoConservaElAnterior) {
    const struct {
        RectanguloPixeles rect;
        std::int32_t resultadoRect;
        PosicionBarra posicion;
        float left;
        float top;
    } llamadas[] = {
        // Left > 0 and top > 0 (a second monitor) on the first call: the
        // bottom-right corner of the work area.
        {{1024, 100, 1084, 868}, 1, PosicionBarra::Ninguna, 1000 * 15 - 6600, 728 * 15},
        {{964, 0, 1024, 768}, 1, PosicionBarra::Derecha, 7860, 11520},
        // The case before, with this rectangle's height as the thickness (30 pixels).
        {{1024, 100, 1084, 130}, 1, PosicionBarra::Derecha, 15360 - 6600 - 450, 11520},
        {{0, 0, 1024, 30}, 1, PosicionBarra::Arriba, 8760, 450},
        // GetWindowRect fails: the case before, with a thickness of 0.
        {{0, 0, 1024, 30}, 0, PosicionBarra::Arriba, 8760, 0},
        {{0, 0, 1024, 30}, -1, PosicionBarra::Arriba, 8760, 0},
    };
    pantalla.areaDeTrabajo = {0, 0, 1000, 728};  // bars of other programs on the right and at the bottom
    for (const auto& llamada : llamadas) {
        plataforma.rectBarra = llamada.rect;
        plataforma.resultadoRect = llamada.resultadoRect;
        VentanaFalsa& v = Ventana();
        IniciarBarrido(v, kAbrir, 255, 300);
        EXPECT_EQ(BarridoDe(v)->Posicion, llamada.posicion);
        EXPECT_EQ(v.Alto(), 0);
        EXPECT_EQ(v.Left(), llamada.left);
        EXPECT_EQ(v.Top(), llamada.top);
    }
}

TEST_F(Barrido, UnGrosorQueNoCabeEn16BitsSeCalculaEntero) {
    // Top bar 2185 pixels tall: 32775 twips.
    plataforma.rectBarra = {0, 0, 1024, 2185};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(BarridoDe(*ventana)->Posicion, PosicionBarra::Arriba);
    EXPECT_EQ(ventana->Top(), 32775.0f);

    // Right bar 2185 pixels wide.
    plataforma.rectBarra = {100, 0, 2285, 768};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(BarridoDe(*ventana)->Posicion, PosicionBarra::Derecha);
    EXPECT_EQ(ventana->Left(), 15360.0f - 6600.0f - 32775.0f);

    // Rectangles at the ends of 32 bits: the thickness does not wrap round,
    // so the window still goes the way the taskbar pushes it.
    plataforma.rectBarra = {1, INT_MIN, INT_MAX, 0};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(BarridoDe(*ventana)->Posicion, PosicionBarra::Derecha);
    EXPECT_LT(ventana->Izquierda(), 0);

    plataforma.rectBarra = {0, 1, 1024, INT_MAX};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(BarridoDe(*ventana)->Posicion, PosicionBarra::Abajo);
    EXPECT_LT(ventana->Abajo(), 0);

    plataforma.rectBarra = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(BarridoDe(*ventana)->Posicion, PosicionBarra::Arriba);
    EXPECT_GT(ventana->Arriba(), kAltoPantalla);
}

// ------------------------------------------ The edge on the taskbar side

// The main window's designed height at each resolution: the client area of
// 4800 twips plus caption, menu bar and borders.
int AltoDisenado(int ppp) { return forms::PixelsFromTwips(4800, ppp) + 46; }

// Growth per tick in pixels: the step, and never less than one pixel. A step
// of half a pixel more grows the window by one pixel more than it shrinks it.
int PasoEnPixeles(std::int16_t paso, int ppp) { return std::max(1, forms::PixelsFromTwips(paso, ppp)); }

struct CasoBarra {
    const char* nombre;
    RectanguloPixeles rect;
    bool arriba;    // grows downwards from its top edge
    int bordeFijo;  // the edge on the taskbar side, in pixels
};

const CasoBarra kBarras[] = {
    {"abajo", {0, 738, 1024, 768}, false, 738},
    {"izquierda_de_wine", {0, 0, 0, 0}, false, kAltoPantalla},
    {"arriba", {0, 0, 1024, 30}, true, 30},
};

class BordeFijo : public Barrido, public ::testing::WithParamInterface<std::tuple<int, std::int16_t, CasoBarra>> {
protected:
    int Borde(const VentanaFalsa& v) const { return std::get<2>(GetParam()).arriba ? v.Arriba() : v.Abajo(); }
};

TEST_P(BordeFijo, ElBordeDelLadoDeLaBarraNoSeMueveNiUnPixelAlAbrirNiAlCerrar) {
    const auto& [ppp, paso, barra] = GetParam();
    pantalla.ppp = ppp;
    plataforma.rectBarra = barra.rect;
    const int disenado = AltoDisenado(ppp);
    const int crecimiento = PasoEnPixeles(paso, ppp);
    const int ticksMaximos = disenado / crecimiento + 2;
    VentanaFalsa v(plataforma, kHwnd, ppp, 100, 100, 546, disenado);

    IniciarBarrido(v, kAbrir, 255, paso);
    ASSERT_EQ(Borde(v), barra.bordeFijo);
    int ticks = 0;
    int alto = v.Alto();
    while (plataforma.HayTemporizador(kHwnd)) {
        ASSERT_LE(++ticks, ticksMaximos) << "la apertura no termina";
        plataforma.Tick();
        ASSERT_EQ(Borde(v), barra.bordeFijo) << "tick " << ticks << " de la apertura, alto " << v.Alto();
        ASSERT_GT(v.Alto(), alto) << "tick " << ticks;
        alto = v.Alto();
    }
    EXPECT_GE(v.Alto(), disenado);
    EXPECT_LT(v.Alto(), disenado + crecimiento) << "más de un paso por encima del alto diseñado";

    IniciarBarrido(v, kCerrar, 255, paso);
    ticks = 0;
    const int ticksMaximosCierre = v.Alto() / std::max(1, crecimiento - 1) + 2;
    while (plataforma.HayTemporizador(kHwnd)) {
        ASSERT_LE(++ticks, ticksMaximosCierre) << "el cierre no termina";
        plataforma.Tick();
        if (v.Destruida()) break;
        ASSERT_EQ(Borde(v), barra.bordeFijo) << "tick " << ticks << " del cierre, alto " << v.Alto();
        ASSERT_LT(v.Alto(), alto) << "tick " << ticks;
        alto = v.Alto();
    }
    EXPECT_EQ(v.descargas, 1);
    EXPECT_LE(forms::TwipsFromPixels(v.Alto(), ppp), AlturaCerrada);
}

INSTANTIATE_TEST_SUITE_P(Pantallas, BordeFijo,
                         ::testing::Combine(::testing::Values(96, 120, 144, 192),
                                            ::testing::Values<std::int16_t>(1, 7, 90, 150, 375, 600, 4000, 20000,
                                                                            32767),
                                            ::testing::ValuesIn(kBarras)),
                         [](const auto& info) {
                             return "ppp" + std::to_string(std::get<0>(info.param)) + "_paso" +
                                    std::to_string(std::get<1>(info.param)) + "_" + std::get<2>(info.param).nombre;
                         });

// --------------------------------------------- Stepping at 15 twips a pixel

// From 0 by steps of 300 the 19th tick reaches 5700, whether the target is
// 5610 (passed by less than a step) or 5700 itself; then the sweep stops.
TEST_F(Barrido, UnaAperturaParaEnElPrimerAltoQueLlegaAlObjetivo) {
    for (float objetivo : {5610.0f, 5700.0f}) {
        SCOPED_TRACE(objetivo);
        VentanaFalsa& v = AbiertaDesdeCero(objetivo, 300);
        ASSERT_EQ(v.Alto(), 0);
        for (int tick = 1; tick <= 18; ++tick) {
            ASSERT_EQ(plataforma.Tick(), 1);
            EXPECT_EQ(v.Height(), 300.0f * tick);
            EXPECT_EQ(v.Abajo(), kAltoPantalla);
        }
        EXPECT_TRUE(plataforma.HayTemporizador(kHwnd));

        ASSERT_EQ(plataforma.Tick(), 1);
        EXPECT_EQ(v.Height(), 5700.0f);
        EXPECT_EQ(v.Top(), 11520.0f - 5700.0f);
        EXPECT_FALSE(plataforma.HayTemporizador(kHwnd));
        EXPECT_EQ(plataforma.Tick(), 0);
        EXPECT_EQ(v.descargas, 0);
    }
}

TEST_F(Barrido, CierreDesde5700) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    IniciarBarrido(v, kCerrar, 255, 300);

    for (int tick = 1; tick <= 18; ++tick) {
        ASSERT_EQ(plataforma.Tick(), 1);
        EXPECT_EQ(v.Height(), 5700.0f - 300.0f * tick);
        EXPECT_EQ(v.Abajo(), kAltoPantalla);
        EXPECT_EQ(v.descargas, 0);
    }
    EXPECT_EQ(v.Height(), 300.0f);  // the 18th went from 600 to 300

    ASSERT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_TRUE(v.Destruida());
    EXPECT_FALSE(plataforma.HayTemporizador(kHwnd));
    EXPECT_EQ(v.accesosTrasDescarga, 0);
    EXPECT_EQ(plataforma.Tick(), 0);
}

TEST_F(Barrido, UnCierreEncogeMientrasLaAlturaPasaDe520) {
    const struct {
        int ppp;
        float alto;
        bool encoge;
    } casos[] = {{1440, 520, false}, {1440, 521, true}, {96, 510, false}, {96, 525, true}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.alto << " twips at " << caso.ppp);
        pantalla.ppp = caso.ppp;
        VentanaFalsa& v = AbiertaDeAlto(caso.alto);
        IniciarBarrido(v, kCerrar, 255, 300);
        plataforma.Tick();
        EXPECT_EQ(v.descargas, caso.encoge ? 0 : 1);
        if (!caso.encoge) continue;
        EXPECT_EQ(v.Height(), caso.alto - 300.0f);
        plataforma.Tick();
        EXPECT_EQ(v.descargas, 1);
    }
}

TEST_F(Barrido, SinCasoDecididoElBordeInferiorQuedaComoEnLosCasosUnoATres) {
    plataforma.rectBarra = {1024, 100, 1084, 868};
    VentanaFalsa& v = Ventana(5700.0f);
    IniciarBarrido(v, kAbrir, 255, 300);
    ASSERT_EQ(BarridoDe(v)->Posicion, PosicionBarra::Ninguna);
    const int base = v.Abajo();  // collapsed where it stood

    plataforma.Tick();
    EXPECT_EQ(v.Height(), 300.0f);
    EXPECT_EQ(v.Abajo(), base);
    plataforma.TickHastaParar();
    EXPECT_EQ(v.Abajo(), base);

    IniciarBarrido(v, kCerrar, 255, 300);
    plataforma.Tick();
    EXPECT_EQ(v.Height(), 5400.0f);
    EXPECT_EQ(v.Abajo(), base);
}

TEST_F(Barrido, UnCierreEnMitadDeLaAperturaEncogeEnElTickSiguiente) {
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 300);
    for (int i = 0; i < 5; ++i) plataforma.Tick();
    ASSERT_EQ(v.Height(), 1500.0f);

    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.Tick(), 1);  // the timer was replaced, not added to
    EXPECT_EQ(v.Height(), 1200.0f);
    EXPECT_EQ(v.Abajo(), kAltoPantalla);
    EXPECT_EQ(plataforma.TickHastaParar(), 4);  // 900, 600, 300, then the unload
    EXPECT_EQ(v.descargas, 1);
}

TEST_F(Barrido, UnaAperturaEnMitadDelCierreVuelveALaAlturaQueTenia) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    IniciarBarrido(v, kCerrar, 255, 300);
    for (int i = 0; i < 3; ++i) plataforma.Tick();
    ASSERT_EQ(v.Height(), 4800.0f);

    IniciarBarrido(v, kAbrir, 255, 300);
    EXPECT_EQ(v.Alto(), 0);
    EXPECT_EQ(plataforma.TickHastaParar(), 16);
    EXPECT_EQ(v.Height(), 4800.0f);
    EXPECT_EQ(v.descargas, 0);
}

TEST_F(Barrido, CadaPasoPartedeLaAlturaLeidaNoDeUnTotal) {
    // 200 twips are 13 pixels (195 twips); from 195, 395 twips are 26 pixels,
    // where a running total of 400 would give 27.
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 200);
    plataforma.Tick();
    EXPECT_EQ(v.Alto(), 13);
    plataforma.Tick();
    EXPECT_EQ(v.Alto(), 26);
    EXPECT_EQ(v.Abajo(), kAltoPantalla);
}

// ------------------------------------------ Steps and sizes out of the way

TEST_F(Barrido, UnPasoNoPositivoUsaElPasoPredeterminado) {
    pantalla.ppp = 144;  // 200 twips are 20 whole pixels
    for (std::int16_t paso : {std::int16_t{0}, std::int16_t{-300}, std::int16_t{-32768}}) {
        SCOPED_TRACE(paso);
        ReiniciarEstadoBarrido();
        VentanaFalsa& v = AbiertaDesdeCero(5700.0f, paso);
        EXPECT_EQ(plataforma.TickHastaParar(), 29);  // 29 steps of 200
        EXPECT_EQ(v.Height(), 5800.0f);

        IniciarBarrido(v, kCerrar, 255, paso);
        plataforma.Tick();
        EXPECT_EQ(v.Height(), 5600.0f);
        plataforma.TickHastaParar();
        EXPECT_EQ(v.descargas, 1);
    }
}

TEST_F(Barrido, UnPasoMenorQueUnPixelAvanzaUnPixel) {
    VentanaFalsa& v = AbiertaDesdeCero(450.0f, 5);
    plataforma.Tick();
    EXPECT_EQ(v.Alto(), 1);
    EXPECT_EQ(plataforma.TickHastaParar(), 29);
    EXPECT_EQ(v.Height(), 450.0f);
    EXPECT_EQ(v.Abajo(), kAltoPantalla);

    VentanaFalsa& cerrando = AbiertaDeAlto(600.0f);
    IniciarBarrido(cerrando, kCerrar, 255, 5);
    plataforma.Tick();
    EXPECT_EQ(cerrando.Alto(), 39);
    EXPECT_EQ(cerrando.Abajo(), kAltoPantalla);
    plataforma.TickHastaParar();
    EXPECT_EQ(cerrando.descargas, 1);
}

TEST_F(Barrido, UnPasoMayorQueLaAlturaLaDejaEnCeroConElBordeEnSuSitio) {
    VentanaFalsa& v = AbiertaDeAlto(540.0f);
    IniciarBarrido(v, kCerrar, 255, 600);
    plataforma.Tick();
    EXPECT_EQ(v.Alto(), 0);
    EXPECT_EQ(v.Abajo(), kAltoPantalla);
    plataforma.Tick();
    EXPECT_EQ(v.descargas, 1);
}

TEST_F(Barrido, UnCierreTerminaAunqueLaPlataformaNoDejeBajarDe520) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    v.alturaMinima = 40;  // 600 twips: a captioned window's smallest size
    IniciarBarrido(v, kCerrar, 255, 300);

    EXPECT_EQ(plataforma.TickHastaParar(100), 18);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_EQ(v.Alto(), 40);
    EXPECT_EQ(v.Abajo(), kAltoPantalla);
    EXPECT_EQ(v.accesosTrasDescarga, 0);
}

TEST_F(Barrido, UnaAperturaTerminaCuandoLaVentanaYaNoCrece) {
    const struct {
        int maximo;  // pixels
        int ticks;
    } casos[] = {{200, 11},   // 10 steps of 20 pixels, then one that cannot grow
                 {207, 12}};  // the 11th grows only 7 pixels and the sweep goes on
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.maximo);
        ReiniciarEstadoBarrido();
        plataforma.barra = nullptr;
        VentanaFalsa& v = Ventana(5700.0f);
        v.alturaMaxima = caso.maximo;
        IniciarBarrido(v, kAbrir, 255, 300);

        EXPECT_EQ(plataforma.TickHastaParar(100), caso.ticks);
        EXPECT_EQ(v.Alto(), caso.maximo);
        EXPECT_EQ(v.Abajo(), kAltoPantalla);
        EXPECT_EQ(v.descargas, 0);
    }
}

// ------------------------------------------------- The closing record

TEST_F(Barrido, BarridoCerrandoseEn) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    VentanaFalsa otra(plataforma, pruebas::Hwnd(2002), pantalla.ppp, 0, 0, 100, 100);
    EXPECT_FALSE(BarridoCerrandoseEn(v));

    IniciarBarrido(v, kAbrir, 255, 300);
    EXPECT_FALSE(BarridoCerrandoseEn(v));
    plataforma.TickHastaParar();
    EXPECT_FALSE(BarridoCerrandoseEn(v));

    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_TRUE(BarridoCerrandoseEn(v));
    EXPECT_FALSE(BarridoCerrandoseEn(otra));
    plataforma.Tick();
    EXPECT_TRUE(BarridoCerrandoseEn(v));

    IniciarBarrido(v, kAbrir, 255, 300);  // a show request reopening it
    EXPECT_FALSE(BarridoCerrandoseEn(v));
    plataforma.TickHastaParar();

    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_TRUE(BarridoCerrandoseEn(v));
    plataforma.TickHastaParar();
    EXPECT_FALSE(BarridoCerrandoseEn(v));
    EXPECT_EQ(v.descargas, 1);

    // Loaded anew: a new handle, not closing.
    v.Recargar(pruebas::Hwnd(3003), 380);
    EXPECT_FALSE(BarridoCerrandoseEn(v));
}

TEST_F(Barrido, UnTickSinBarridoNoHaceNada) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    PasoBarrido(kHwnd);
    EXPECT_EQ(v.Height(), 5700.0f);
    EXPECT_EQ(v.descargas, 0);
}

}  // namespace
}  // namespace kalvenor
