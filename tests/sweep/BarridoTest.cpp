// The sweep against a fake taskbar, timer and window (Parts 3.1, 3.2).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "FalsosBarrido.h"
#include "forms/core/ErrorEjecucion.h"
#include "sweep/Barrido.h"

namespace kalvenor {
namespace {

using prueba::PantallaFalsa;
using prueba::PlataformaFalsa;
using prueba::VentanaFalsa;

constexpr std::int16_t kAbrir = -1;
constexpr std::int16_t kCerrar = 0;
constexpr forms::Handle kHwnd = 1001;

class Barrido : public ::testing::Test {
protected:
    void SetUp() override {
        ReiniciarEstadoBarrido();
        UsarPlataformaBarrido(plataforma, pantalla);
        plataforma.estilos[kHwnd] = 0x100;
    }
    void TearDown() override { ReiniciarEstadoBarrido(); }

    // The window with its height read back as 0 after collapsing.
    VentanaFalsa& Ventana(float alto = 5700.0f) {
        ventana = std::make_unique<VentanaFalsa>(plataforma, kHwnd, 1000.0f, 1000.0f, 6600.0f, alto);
        return *ventana;
    }

    // Opens with no taskbar: case 1, thickness 0, bottom edge at 11520.
    VentanaFalsa& AbiertaDesdeCero(float altoDisenado, std::int16_t paso) {
        plataforma.barra = 0;
        VentanaFalsa& v = Ventana(altoDisenado);
        IniciarBarrido(v, kAbrir, 255, paso);
        return v;
    }

    // A window standing open in case 1 at the bottom of the screen.
    VentanaFalsa& AbiertaDeAlto(float alto) {
        plataforma.barra = 0;
        VentanaFalsa& v = Ventana(alto);
        v.Move(8760.0f, 11520.0f - alto);
        plataforma.LimpiarDiario();
        return v;
    }

    float Base(const VentanaFalsa& v) const { return v.ArribaActual() + v.AltoActual(); }

    PlataformaFalsa plataforma;
    PantallaFalsa pantalla;
    std::unique_ptr<VentanaFalsa> ventana;
};

// ---------------------------------------------------- Placement and set-up

struct CasoColocacion {
    const char* nombre;
    forms::Handle barra;
    RectanguloPixeles rect;
    float twipsPorPixel;
    std::int16_t posicion;
    float left;
    float top;
};

// 1024 x 768 pixels; window 6600 twips wide, height read back 0.
const CasoColocacion kCasos[] = {
    {"abajo", 77, {0, 738, 1024, 768}, 15, BarraAbajo, 8760, 11070},
    {"derecha", 77, {964, 0, 1024, 768}, 15, BarraDerecha, 7860, 11520},
    {"izquierda", 77, {0, 0, 60, 768}, 15, BarraIzquierda, 900, 11520},
    {"arriba", 77, {0, 0, 1024, 30}, 15, BarraArriba, 8760, 450},
    // Two pixels past the screen: thickness 34 * 15 = 510.
    {"abajo_fuera_de_pantalla", 77, {-2, 736, 1026, 770}, 15, BarraAbajo, 8760, 11010},
    // 12 twips per pixel: vertical thickness 30 * 12 = 360; horizontal stays 60 * 15 = 900.
    {"arriba_12_twips", 77, {0, 0, 1024, 30}, 12, BarraArriba, 12288 - 6600, 360},
    {"izquierda_12_twips", 77, {0, 0, 60, 768}, 12, BarraIzquierda, 900, 9216},
    {"sin_barra", 0, {0, 0, 0, 0}, 15, BarraAbajo, 8760, 11520},
    // A handle below 1 as a signed 32-bit number counts as no taskbar.
    {"handle_negativo", -5, {0, 738, 1024, 768}, 15, BarraAbajo, 8760, 11520},
    // Decision: a right edge of exactly 600 pixels is a top taskbar (case 4).
    {"borde_600_es_arriba", 77, {0, 0, 600, 30}, 15, BarraArriba, 8760, 450},
    {"borde_599_es_izquierda", 77, {0, 0, 599, 30}, 15, BarraIzquierda, 599 * 15, 11520},
    // Wine's hidden tray window: (0, 0, 0, 0) is a left bar 0 thick.
    {"rect_vacio_de_wine", 77, {0, 0, 0, 0}, 15, BarraIzquierda, 0, 11520},
};

class Colocacion : public Barrido, public ::testing::WithParamInterface<CasoColocacion> {};

TEST_P(Colocacion, DecideElCasoYMueveLaVentanaAlRincon) {
    const CasoColocacion& caso = GetParam();
    pantalla.twipsPorPixelY = caso.twipsPorPixel;
    pantalla.ancho = 1024 * caso.twipsPorPixel;
    pantalla.alto = 768 * caso.twipsPorPixel;
    plataforma.barra = caso.barra;
    plataforma.rectBarra = caso.rect;
    VentanaFalsa& v = Ventana();

    IniciarBarrido(v, kAbrir, 255, 200);

    EXPECT_EQ(EstadoBarrido.PosicionBarra, caso.posicion);
    EXPECT_EQ(v.AltoActual(), 0.0f);
    EXPECT_EQ(v.IzquierdaActual(), caso.left);
    EXPECT_EQ(v.ArribaActual(), caso.top);
}

INSTANTIATE_TEST_SUITE_P(Casos, Colocacion, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Barrido, LasLlamadasDeUnaAperturaVanEnSuOrdenYConSusArgumentos) {
    VentanaFalsa& v = Ventana();
    IniciarBarrido(v, kAbrir, 200, 300);

    const std::vector<std::string> esperado = {
        "FindWindowA(\"Shell_TrayWnd\", \"\")",
        "GetWindowRect(77)",
        "SetHeight(0)",
        "Move(8760, 11070)",
        "SetWindowPos(1001, -1, 0, 0, 0, 0, 3)",
        "GetWindowLongA(1001, -20)",
        "SetWindowLongA(1001, -20, 524544)",  // 0x100 | 0x80000
        "SetLayeredWindowAttributes(1001, 0, 200, 2)",
        "SetTimer(1001, 0, 1)",
    };
    EXPECT_EQ(plataforma.diario, esperado);
    // The handle is read afresh for each of the five calls that need it.
    EXPECT_EQ(v.lecturasHwnd, 5);
}

TEST_F(Barrido, UnCierreNoCambiaNiTamanoNiPosicion) {
    VentanaFalsa& v = Ventana();
    IniciarBarrido(v, kCerrar, 255, 300);

    EXPECT_EQ(v.IzquierdaActual(), 1000.0f);
    EXPECT_EQ(v.ArribaActual(), 1000.0f);
    EXPECT_EQ(v.AltoActual(), 5700.0f);
    const std::vector<std::string> esperado = {
        "FindWindowA(\"Shell_TrayWnd\", \"\")",
        "GetWindowRect(77)",
        "SetWindowPos(1001, -1, 0, 0, 0, 0, 3)",
        "GetWindowLongA(1001, -20)",
        "SetWindowLongA(1001, -20, 524544)",
        "SetLayeredWindowAttributes(1001, 0, 255, 2)",
        "SetTimer(1001, 0, 1)",
    };
    EXPECT_EQ(plataforma.diario, esperado);
    // The closing call still decides the case.
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraAbajo);
}

TEST_F(Barrido, SinBarraNoSePideSuRectangulo) {
    plataforma.barra = 0;
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    ASSERT_GE(plataforma.diario.size(), 3u);
    EXPECT_EQ(plataforma.diario[0], "FindWindowA(\"Shell_TrayWnd\", \"\")");
    EXPECT_EQ(plataforma.diario[1], "SetHeight(0)");
    EXPECT_EQ(plataforma.diario[2], "Move(8760, 11520)");
}

TEST_F(Barrido, LaOpacidadPasaTalCual) {
    IniciarBarrido(Ventana(), kAbrir, 0, 300);
    EXPECT_EQ(plataforma.alfas[kHwnd], 0);
    IniciarBarrido(*ventana, kAbrir, 255, 300);
    EXPECT_EQ(plataforma.alfas[kHwnd], 255);
    EXPECT_EQ(plataforma.posicionesZ[kHwnd], -1);
    EXPECT_EQ(plataforma.estilos[kHwnd] & 0x80000, 0x80000);
}

TEST_F(Barrido, GuardaElEstado) {
    VentanaFalsa& v = Ventana(5700.0f);
    IniciarBarrido(v, kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.VentanaBarrido, &v);
    EXPECT_EQ(EstadoBarrido.Mostrar, -1);
    EXPECT_EQ(EstadoBarrido.AlturaObjetivo, 5700);
    EXPECT_EQ(EstadoBarrido.Paso, 300);

    IniciarBarrido(v, 5, 255, 250);  // any value other than -1 closes
    EXPECT_EQ(EstadoBarrido.Mostrar, 5);
    EXPECT_EQ(EstadoBarrido.AlturaObjetivo, 0);  // the height now, closing calls too
    EXPECT_EQ(EstadoBarrido.Paso, 250);
}

TEST_F(Barrido, LaAlturaObjetivoRedondeaAlParMasCercano) {
    const struct {
        float alto;
        std::int32_t objetivo;
    } casos[] = {{5610.5f, 5610}, {5611.5f, 5612}, {5610.25f, 5610}, {5610.75f, 5611}, {0.5f, 0}};
    for (const auto& caso : casos) {
        IniciarBarrido(Ventana(caso.alto), kCerrar, 255, 300);
        EXPECT_EQ(EstadoBarrido.AlturaObjetivo, caso.objetivo) << caso.alto;
    }
}

TEST_F(Barrido, UnaAlturaFueraDe32BitsEsDesbordamiento) {
    try {
        IniciarBarrido(Ventana(3.0e9f), kCerrar, 255, 300);
        FAIL() << "no error";
    } catch (const forms::ErrorEjecucion& error) {
        EXPECT_EQ(error.Numero(), forms::kErrorDesbordamiento);
    }
}

TEST_F(Barrido, PosicionBarraEmpiezaEnCero) { EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraNinguna); }

TEST_F(Barrido, UnRectanguloQueNoDecideNadaEnLaPrimeraLlamadaPliegaSinMover) {
    plataforma.rectBarra = {1024, 100, 1084, 868};  // left > 0 and top > 0: a second monitor
    VentanaFalsa& v = Ventana();
    IniciarBarrido(v, kAbrir, 255, 300);

    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraNinguna);
    EXPECT_EQ(v.AltoActual(), 0.0f);
    EXPECT_EQ(v.IzquierdaActual(), 1000.0f);
    EXPECT_EQ(v.ArribaActual(), 1000.0f);
    for (const std::string& linea : plataforma.diario) EXPECT_EQ(linea.rfind("Move", 0), std::string::npos);
}

TEST_F(Barrido, UnRectanguloQueNoDecideNadaConservaElCasoAnteriorConSuGrosor) {
    plataforma.rectBarra = {964, 0, 1024, 768};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    ASSERT_EQ(EstadoBarrido.PosicionBarra, BarraDerecha);

    plataforma.rectBarra = {1024, 100, 1084, 130};  // 30 pixels tall: thickness 450
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraDerecha);
    EXPECT_EQ(ventana->IzquierdaActual(), 15360.0f - 6600.0f - 450.0f);
    EXPECT_EQ(ventana->ArribaActual(), 11520.0f);
}

TEST_F(Barrido, GetWindowRectFallidoConservaElCasoConGrosorCero) {
    plataforma.resultadoRect = 0;
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraNinguna);
    EXPECT_EQ(ventana->IzquierdaActual(), 1000.0f);
    EXPECT_EQ(ventana->ArribaActual(), 1000.0f);

    plataforma.resultadoRect = 1;
    plataforma.rectBarra = {0, 0, 1024, 30};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    ASSERT_EQ(EstadoBarrido.PosicionBarra, BarraArriba);

    plataforma.resultadoRect = -1;
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraArriba);
    EXPECT_EQ(ventana->IzquierdaActual(), 8760.0f);
    EXPECT_EQ(ventana->ArribaActual(), 0.0f);  // thickness 0
}

TEST_F(Barrido, UnGrosorQueNoCabeEn16BitsSeCalculaEntero) {
    // Top bar 2185 pixels tall: 32775 twips.
    plataforma.rectBarra = {0, 0, 1024, 2185};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraArriba);
    EXPECT_EQ(ventana->ArribaActual(), 32775.0f);

    // Right bar 2185 pixels wide.
    plataforma.rectBarra = {100, 0, 2285, 768};
    IniciarBarrido(Ventana(), kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraDerecha);
    EXPECT_EQ(ventana->IzquierdaActual(), 15360.0f - 6600.0f - 32775.0f);

    // Rectangles at the ends of 32 bits: no overflow, finite positions.
    const RectanguloPixeles extremos[] = {
        {1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 0},
        {0, 1, 1024, std::numeric_limits<std::int32_t>::max()},
        {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
         std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
    };
    for (const RectanguloPixeles& r : extremos) {
        plataforma.rectBarra = r;
        IniciarBarrido(Ventana(), kAbrir, 255, 300);
        EXPECT_TRUE(std::isfinite(ventana->IzquierdaActual()));
        EXPECT_TRUE(std::isfinite(ventana->ArribaActual()));
    }
}

// ---------------------------------------------------------------- Stepping

TEST_F(Barrido, AperturaDe19TicksQuePasaElObjetivo) {
    VentanaFalsa& v = AbiertaDesdeCero(5610.0f, 300);
    ASSERT_EQ(EstadoBarrido.AlturaObjetivo, 5610);
    ASSERT_EQ(v.AltoActual(), 0.0f);

    for (int tick = 1; tick <= 18; ++tick) {
        ASSERT_EQ(plataforma.Tick(), 1);
        EXPECT_EQ(v.AltoActual(), 300.0f * tick);
        EXPECT_EQ(Base(v), 11520.0f);  // the bottom edge stays on the line
    }
    EXPECT_EQ(v.AltoActual(), 5400.0f);
    EXPECT_TRUE(plataforma.HayTemporizador(kHwnd));

    plataforma.LimpiarDiario();
    ASSERT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.AltoActual(), 5700.0f);
    EXPECT_FALSE(plataforma.HayTemporizador(kHwnd));
    const std::vector<std::string> esperado = {"SetHeight(5700)", "SetTop(5820)", "KillTimer(1001, 0)"};
    EXPECT_EQ(plataforma.diario, esperado);
    EXPECT_EQ(plataforma.Tick(), 0);
    EXPECT_EQ(v.AltoActual(), 5700.0f);
    EXPECT_EQ(v.descargas, 0);
}

TEST_F(Barrido, AperturaQueCaeJustoEnElObjetivo) {
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 300);
    EXPECT_EQ(plataforma.TickHastaParar(), 19);
    EXPECT_EQ(v.AltoActual(), 5700.0f);
    EXPECT_EQ(v.ArribaActual(), 5820.0f);
}

TEST_F(Barrido, CierreDesde5700) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    IniciarBarrido(v, kCerrar, 255, 300);
    plataforma.LimpiarDiario();

    for (int tick = 1; tick <= 18; ++tick) {
        ASSERT_EQ(plataforma.Tick(), 1);
        EXPECT_EQ(v.AltoActual(), 5700.0f - 300.0f * tick);
        EXPECT_EQ(Base(v), 11520.0f);
        EXPECT_EQ(v.descargas, 0);
    }
    EXPECT_EQ(v.AltoActual(), 300.0f);  // the 18th went from 600 to 300

    plataforma.LimpiarDiario();
    v.lecturasHwnd = 0;
    ASSERT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_TRUE(v.Destruida());
    const std::vector<std::string> esperado = {"KillTimer(1001, 0)", "Unload"};
    EXPECT_EQ(plataforma.diario, esperado);
    EXPECT_EQ(v.lecturasHwnd, 1);
    EXPECT_EQ(v.accesosTrasDescarga, 0);
    EXPECT_EQ(plataforma.Tick(), 0);
}

TEST_F(Barrido, ExactamenteQuinientosVeinteTermina) {
    VentanaFalsa& v = AbiertaDeAlto(520.0f);
    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_EQ(v.AltoActual(), 520.0f);
}

TEST_F(Barrido, QuinientosVeinticincoEncogeUnaVezMas) {
    VentanaFalsa& v = AbiertaDeAlto(525.0f);
    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.descargas, 0);
    EXPECT_EQ(v.AltoActual(), 225.0f);
    EXPECT_EQ(plataforma.Tick(), 1);
    EXPECT_EQ(v.descargas, 1);
}

TEST_F(Barrido, ConLaBarraArribaTopNuncaCambia) {
    plataforma.rectBarra = {0, 0, 1024, 30};
    VentanaFalsa& v = Ventana(5700.0f);
    IniciarBarrido(v, kAbrir, 255, 300);
    ASSERT_EQ(v.ArribaActual(), 450.0f);
    plataforma.LimpiarDiario();

    EXPECT_EQ(plataforma.TickHastaParar(), 19);
    EXPECT_EQ(v.AltoActual(), 5700.0f);
    EXPECT_EQ(v.ArribaActual(), 450.0f);

    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.TickHastaParar(), 19);
    EXPECT_EQ(v.descargas, 1);
    for (const std::string& linea : plataforma.diario) EXPECT_EQ(linea.rfind("SetTop", 0), std::string::npos) << linea;
}

TEST_F(Barrido, SinCasoDecididoTopCambiaComoEnLosCasosUnoATres) {
    plataforma.rectBarra = {1024, 100, 1084, 868};
    VentanaFalsa& v = Ventana(5700.0f);
    IniciarBarrido(v, kAbrir, 255, 300);
    ASSERT_EQ(EstadoBarrido.PosicionBarra, BarraNinguna);
    const float base = Base(v);  // 1000: collapsed where it stood

    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 300.0f);
    EXPECT_EQ(v.ArribaActual(), 700.0f);
    plataforma.TickHastaParar();
    EXPECT_EQ(Base(v), base);

    IniciarBarrido(v, kCerrar, 255, 300);
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 5400.0f);
    EXPECT_EQ(Base(v), base);
}

TEST_F(Barrido, UnCierreEnMitadDeLaAperturaEncogeEnElTickSiguiente) {
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 300);
    for (int i = 0; i < 5; ++i) plataforma.Tick();
    ASSERT_EQ(v.AltoActual(), 1500.0f);

    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.temporizadores.size(), 1u);  // replaced, not added
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 1200.0f);
    EXPECT_EQ(Base(v), 11520.0f);
    EXPECT_EQ(plataforma.TickHastaParar(), 4);  // 900, 600, 300, then the unload
    EXPECT_EQ(v.descargas, 1);
}

TEST_F(Barrido, UnaAperturaEnMitadDelCierreVuelveALaAlturaQueTenia) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    IniciarBarrido(v, kCerrar, 255, 300);
    for (int i = 0; i < 3; ++i) plataforma.Tick();
    ASSERT_EQ(v.AltoActual(), 4800.0f);

    IniciarBarrido(v, kAbrir, 255, 300);
    EXPECT_EQ(EstadoBarrido.AlturaObjetivo, 4800);
    EXPECT_EQ(v.AltoActual(), 0.0f);
    EXPECT_EQ(plataforma.TickHastaParar(), 16);
    EXPECT_EQ(v.AltoActual(), 4800.0f);
    EXPECT_EQ(v.descargas, 0);
}

TEST_F(Barrido, CadaPasoPartedeLaAlturaLeidaNoDeUnTotal) {
    // Sizes fit to whole pixels of 15 twips: 200 twips become 195.
    plataforma.barra = 0;
    VentanaFalsa& v = Ventana(5700.0f);
    v.twipsPorPixel = 15.0f;
    IniciarBarrido(v, kAbrir, 255, 200);
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 195.0f);
    plataforma.Tick();
    ASSERT_EQ(v.alturasPedidas.size(), 3u);
    EXPECT_EQ(v.alturasPedidas[2], 395.0f);
    plataforma.TickHastaParar();
    EXPECT_GE(v.AltoActual(), 5700.0f);
}

TEST_F(Barrido, LaComparacionDeLaAperturaEsEnDoblePrecision) {
    // 16777216 is below 16777217 in double precision, equal to it in single.
    pantalla.twipsPorPixelY = 1.0f;
    VentanaFalsa& v = AbiertaDesdeCero(1000.0f, 1);
    EstadoBarrido.AlturaObjetivo = 16777217;
    v.Recargar(kHwnd, 16777215.0f);
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 16777216.0f);
    EXPECT_TRUE(plataforma.HayTemporizador(kHwnd));
}

// ------------------------------------------------------ decisions of the issue

TEST_F(Barrido, UnPasoNoPositivoUsaElPasoPredeterminado) {
    for (std::int16_t paso : {std::int16_t{0}, std::int16_t{-300}, std::int16_t{-32768}}) {
        ReiniciarEstadoBarrido();
        VentanaFalsa& v = AbiertaDesdeCero(5700.0f, paso);
        EXPECT_EQ(EstadoBarrido.Paso, paso);  // recorded as given
        EXPECT_EQ(plataforma.TickHastaParar(), 29) << paso;  // 29 steps of 200
        EXPECT_EQ(v.AltoActual(), 5800.0f);

        IniciarBarrido(v, kCerrar, 255, paso);
        plataforma.Tick();
        EXPECT_EQ(v.AltoActual(), 5600.0f);
        plataforma.TickHastaParar();
        EXPECT_EQ(v.descargas, 1) << paso;
    }
}

TEST_F(Barrido, UnPasoMenorQueUnPixelAvanzaUnPixel) {
    plataforma.barra = 0;
    VentanaFalsa& v = Ventana(450.0f);
    v.twipsPorPixel = 15.0f;
    IniciarBarrido(v, kAbrir, 255, 5);
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 15.0f);
    EXPECT_EQ(plataforma.TickHastaParar(), 29);
    EXPECT_EQ(v.AltoActual(), 450.0f);
    EXPECT_EQ(Base(v), 11520.0f);

    v.Recargar(kHwnd, 600.0f);
    IniciarBarrido(v, kCerrar, 255, 5);
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 585.0f);
    plataforma.TickHastaParar();
    EXPECT_EQ(v.descargas, 1);
}

TEST_F(Barrido, UnPasoMayorQueLaAlturaPideCeroNoUnaAlturaNegativa) {
    VentanaFalsa& v = AbiertaDeAlto(540.0f);
    IniciarBarrido(v, kCerrar, 255, 600);
    plataforma.LimpiarDiario();
    plataforma.Tick();
    EXPECT_EQ(v.AltoActual(), 0.0f);
    const std::vector<std::string> esperado = {"SetHeight(0)", "SetTop(11520)"};
    EXPECT_EQ(plataforma.diario, esperado);  // the bottom edge stays put
    plataforma.Tick();
    EXPECT_EQ(v.descargas, 1);
    for (float pedido : v.alturasPedidas) EXPECT_GE(pedido, 0.0f);
}

TEST_F(Barrido, UnCierreTerminaAunqueLaPlataformaNoDejeBajarDe520) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    v.alturaMinima = 600.0f;  // 40 pixels: a captioned window's smallest size
    IniciarBarrido(v, kCerrar, 255, 300);

    EXPECT_EQ(plataforma.TickHastaParar(100), 18);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_EQ(v.AltoActual(), 600.0f);
    EXPECT_EQ(Base(v), 11520.0f);  // the tick that could not shrink did not move the top
    EXPECT_EQ(v.accesosTrasDescarga, 0);
}

TEST_F(Barrido, UnaAperturaTerminaAunqueLaPlataformaNoDejeCrecer) {
    plataforma.barra = 0;
    VentanaFalsa& v = Ventana(5700.0f);
    v.alturaMaxima = 3000.0f;
    IniciarBarrido(v, kAbrir, 255, 300);

    EXPECT_EQ(plataforma.TickHastaParar(100), 11);  // 10 steps to 3000, then one that cannot grow
    EXPECT_EQ(v.AltoActual(), 3000.0f);
    EXPECT_EQ(Base(v), 11520.0f);
    EXPECT_EQ(v.descargas, 0);
}

TEST_F(Barrido, UnaAperturaQueCreceMenosDeUnPasoSigue) {
    plataforma.barra = 0;
    VentanaFalsa& v = Ventana(5700.0f);
    v.alturaMaxima = 3100.0f;
    IniciarBarrido(v, kAbrir, 255, 300);
    EXPECT_EQ(plataforma.TickHastaParar(100), 12);
    EXPECT_EQ(v.AltoActual(), 3100.0f);
}

// ------------------------------------------------------------- re-entrancy

TEST_F(Barrido, LaDescargaLlamaAIniciarBarridoDesdeDentroDelTick) {
    VentanaFalsa& v = AbiertaDeAlto(900.0f);
    int llamadasDelManejador = 0;
    v.alDescargar = [&] {
        ++llamadasDelManejador;
        IniciarBarrido(v, kCerrar, 255, 300);  // as Form1's unload handler does
    };
    IniciarBarrido(v, kCerrar, 255, 300);
    plataforma.LimpiarDiario();

    EXPECT_EQ(plataforma.TickHastaParar(100), 3);
    EXPECT_EQ(llamadasDelManejador, 1);
    EXPECT_EQ(v.descargas, 1);
    EXPECT_EQ(v.accesosTrasDescarga, 0);
    // The nested call armed a timer on the dying window; its destruction took it.
    EXPECT_TRUE(plataforma.temporizadores.empty());
    EXPECT_EQ(plataforma.Tick(), 0);
    EXPECT_FALSE(BarridoCerrandoseEn(v));
    EXPECT_EQ(EstadoBarrido.VentanaBarrido, &v);  // outlives the unloading

    const std::vector<std::string> cola = {"KillTimer(1001, 0)",
                                           "Unload",
                                           "FindWindowA(\"Shell_TrayWnd\", \"\")",
                                           "SetWindowPos(1001, -1, 0, 0, 0, 0, 3)",
                                           "GetWindowLongA(1001, -20)",
                                           "SetWindowLongA(1001, -20, 524544)",
                                           "SetLayeredWindowAttributes(1001, 0, 255, 2)",
                                           "SetTimer(1001, 0, 1)"};
    ASSERT_GE(plataforma.diario.size(), cola.size());
    EXPECT_EQ(std::vector<std::string>(plataforma.diario.end() - cola.size(), plataforma.diario.end()), cola);
}

TEST_F(Barrido, UnNuevoInicioReemplazaElTemporizador) {
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 300);
    IniciarBarrido(v, kAbrir, 255, 300);
    IniciarBarrido(v, kCerrar, 255, 300);
    EXPECT_EQ(plataforma.temporizadoresArmados, 3);
    EXPECT_EQ(plataforma.temporizadores.size(), 1u);
    EXPECT_EQ(plataforma.Tick(), 1);
}

TEST_F(Barrido, DestruirLaVentanaDeOtroModoParaLosTicks) {
    VentanaFalsa& v = AbiertaDesdeCero(5700.0f, 300);
    plataforma.Tick();
    v.alDescargar = [&] { IniciarBarrido(v, kCerrar, 255, 300); };
    v.Unload();  // the platform's close command
    EXPECT_EQ(plataforma.Tick(), 0);
    EXPECT_FALSE(BarridoCerrandoseEn(v));  // its timer went with it
}

TEST_F(Barrido, BarridoCerrandoseEn) {
    VentanaFalsa& v = AbiertaDeAlto(5700.0f);
    VentanaFalsa otra(plataforma, 2002, 0, 0, 100, 100);
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
    v.Recargar(3003, 5700.0f);
    EXPECT_FALSE(BarridoCerrandoseEn(v));
}

TEST_F(Barrido, UnTickSinBarridoNoHaceNada) {
    PasoBarrido();
    EXPECT_TRUE(plataforma.diario.empty());
}

}  // namespace
}  // namespace kalvenor
