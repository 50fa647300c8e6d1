// The sweep with the real user32 seam on a real captioned top-level window,
// under Wine: placement, topmost and layered, growing, shrinking, unloading.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "VentanaPruebaWin32.h"
#include "forms/win32/InformeErrores.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarridoWin32.h"

namespace kalvenor {
namespace {

using prueba::PantallaWin32;
using prueba::VentanaPruebaWin32;

constexpr std::int16_t kAbrir = -1;
constexpr std::int16_t kCerrar = 0;
constexpr DWORD kLimiteMs = 20000;

// Dispatches messages until the condition holds or the time-out passes;
// despues runs after every dispatched message (a sweep tick runs whole inside
// one dispatch, so it sees the window between ticks).
bool Esperar(const std::function<bool()>& condicion, const std::function<void()>& despues = {},
             DWORD limiteMs = kLimiteMs) {
    const ULONGLONG fin = GetTickCount64() + limiteMs;
    for (;;) {
        MSG mensaje;
        while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&mensaje);
            DispatchMessageW(&mensaje);
            if (despues) despues();
            if (condicion()) return true;
        }
        if (condicion()) return true;
        if (GetTickCount64() >= fin) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Lets messages run for a while (to see that nothing more happens).
void Bombear(DWORD ms, const std::function<void()>& despues = {}) {
    Esperar([] { return false; }, despues, ms);
}

int AltoDe(const RECT& r) { return r.bottom - r.top; }

class BarridoWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        ReiniciarEstadoBarrido();
        UsarPlataformaBarrido(plataforma, pantalla);
        ASSERT_EQ(prueba::TwipsPorPixel(), 15.0f) << "the tests expect 96 dpi";
    }
    void TearDown() override { ReiniciarEstadoBarrido(); }

    PlataformaBarridoWin32 plataforma;
    PantallaWin32 pantalla;
};

TEST_F(BarridoWin32, UnaAperturaCreceConElBordeInferiorFijoArribaYTranslucida) {
    // Designed outer size 440 x 300 pixels: 6600 x 4500 twips.
    VentanaPruebaWin32 ventana(100, 100, 440, 300);
    ASSERT_NE(ventana.Hwnd(), nullptr);

    IniciarBarrido(ventana, kAbrir, 200, 300);
    ventana.Mostrar();
    EXPECT_EQ(EstadoBarrido.AlturaObjetivo, 4500);

    const RECT inicial = ventana.Rectangulo();
    const int altoInicial = AltoDe(inicial);
    EXPECT_LT(altoInicial, 300);  // collapsed to the platform's smallest height
    const LONG base = inicial.bottom;

    // The taskbar as this platform shows it decides the corner.
    const HWND barra = FindWindowA("Shell_TrayWnd", "");
    RECT rectBarra{};
    if (barra == nullptr) {
        EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraAbajo);
        EXPECT_EQ(inicial.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(base, GetSystemMetrics(SM_CYSCREEN));
    } else if (GetWindowRect(barra, &rectBarra) && IsRectEmpty(&rectBarra) &&
               rectBarra.left == 0 && rectBarra.top == 0 && rectBarra.right == 0) {
        // Wine's hidden tray window: a left bar 0 thick.
        EXPECT_EQ(EstadoBarrido.PosicionBarra, BarraIzquierda);
        EXPECT_EQ(inicial.left, 0);
        EXPECT_EQ(base, GetSystemMetrics(SM_CYSCREEN));
    }
    ASSERT_NE(EstadoBarrido.PosicionBarra, BarraArriba) << "this test expects a window growing upwards";

    // Topmost and layered with the given alpha.
    const LONG_PTR estilo = GetWindowLongPtrW(ventana.Hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(estilo & WS_EX_TOPMOST);
    EXPECT_TRUE(estilo & WS_EX_LAYERED);
    COLORREF clave = 1;
    BYTE alfa = 0;
    DWORD banderas = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(ventana.Hwnd(), &clave, &alfa, &banderas));
    EXPECT_EQ(alfa, 200);
    EXPECT_TRUE(banderas & LWA_ALPHA);

    std::vector<int> altos{altoInicial};
    int basesMovidas = 0;
    const auto mirar = [&] {
        const RECT r = ventana.Rectangulo();
        if (AltoDe(r) != altos.back()) altos.push_back(AltoDe(r));
        if (r.bottom != base) ++basesMovidas;
    };
    ASSERT_TRUE(Esperar([&] { return AltoDe(ventana.Rectangulo()) >= 300; }, mirar));
    Bombear(200, mirar);  // the timer is gone: nothing changes any more

    const int altoFinal = AltoDe(ventana.Rectangulo());
    EXPECT_GE(altoFinal, 300);
    EXPECT_LT(altoFinal, 320);  // at most one step (20 pixels) past the designed height
    EXPECT_EQ(basesMovidas, 0);
    EXPECT_EQ(ventana.Rectangulo().bottom, base);
    for (std::size_t i = 1; i < altos.size(); ++i) EXPECT_GT(altos[i], altos[i - 1]);
    EXPECT_GE(altos.size(), 10u);  // it grew step by step
    EXPECT_FALSE(KillTimer(ventana.Hwnd(), 0)) << "the sweep timer is still armed";
    EXPECT_EQ(ventana.descargas, 0);
    EXPECT_TRUE(IsWindowVisible(ventana.Hwnd()));
}

TEST_F(BarridoWin32, UnCierreEncogeYDescargaLaVentanaYSuManejadorCorreUnaVez) {
    VentanaPruebaWin32 ventana(300, 200, 440, 300);
    ASSERT_NE(ventana.Hwnd(), nullptr);
    ventana.Mostrar();
    const HWND hwnd = ventana.Hwnd();
    const LONG base = ventana.Rectangulo().bottom;

    int manejador = 0;
    ventana.alDescargar = [&] {
        ++manejador;
        IniciarBarrido(ventana, kCerrar, 255, 300);  // as the main window's unload handler does
    };

    IniciarBarrido(ventana, kCerrar, 128, 300);
    EXPECT_TRUE(BarridoCerrandoseEn(ventana));
    EXPECT_EQ(AltoDe(ventana.Rectangulo()), 300);  // a closing call does not resize
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    BYTE alfa = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alfa, nullptr));
    EXPECT_EQ(alfa, 128);

    std::vector<int> altos{300};
    int basesMovidas = 0;
    const auto mirar = [&] {
        if (!IsWindow(hwnd)) return;
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (AltoDe(r) != altos.back()) altos.push_back(AltoDe(r));
        if (r.bottom != base) ++basesMovidas;
    };
    ASSERT_TRUE(Esperar([&] { return ventana.descargas > 0; }, mirar));

    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(manejador, 1);
    EXPECT_EQ(basesMovidas, 0);
    for (std::size_t i = 1; i < altos.size(); ++i) EXPECT_LT(altos[i], altos[i - 1]);
    EXPECT_GE(altos.size(), 10u);
    EXPECT_LE(altos.back() * 15, 520);
    EXPECT_FALSE(BarridoCerrandoseEn(ventana));

    // The nested call armed a timer on the dying window: no tick follows.
    Bombear(300);
    EXPECT_EQ(ventana.descargas, 1);
    EXPECT_EQ(manejador, 1);
    EXPECT_EQ(ventana.accesosTrasDescarga, 0);
}

TEST_F(BarridoWin32, UnCierreTerminaAunqueLaVentanaNoPuedaBajarDe520) {
    // The platform keeps this window at 40 pixels (600 twips) at least.
    VentanaPruebaWin32 ventana(300, 200, 440, 200, 40);
    ASSERT_NE(ventana.Hwnd(), nullptr);
    ventana.Mostrar();
    int manejador = 0;
    ventana.alDescargar = [&] { ++manejador; };

    IniciarBarrido(ventana, kCerrar, 255, 300);
    int altoMinimo = 200;
    const HWND hwnd = ventana.Hwnd();
    ASSERT_TRUE(Esperar([&] { return ventana.descargas > 0; },
                        [&] {
                            RECT r{};
                            if (IsWindow(hwnd) && GetWindowRect(hwnd, &r) && AltoDe(r) < altoMinimo)
                                altoMinimo = AltoDe(r);
                        }));
    EXPECT_EQ(manejador, 1);
    EXPECT_EQ(altoMinimo, 40);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(BarridoWin32, UnCierreEnMitadDeLaAperturaLaDevuelve) {
    VentanaPruebaWin32 ventana(100, 100, 440, 300);
    IniciarBarrido(ventana, kAbrir, 255, 150);
    ventana.Mostrar();
    ASSERT_TRUE(Esperar([&] { return AltoDe(ventana.Rectangulo()) >= 100; }));
    const int alcanzado = AltoDe(ventana.Rectangulo());
    EXPECT_LT(alcanzado, 300);

    IniciarBarrido(ventana, kCerrar, 255, 150);
    const HWND hwnd = ventana.Hwnd();
    int altoMaximo = 0;
    ASSERT_TRUE(Esperar([&] { return ventana.descargas > 0; },
                        [&] {
                            RECT r{};
                            if (IsWindow(hwnd) && GetWindowRect(hwnd, &r) && AltoDe(r) > altoMaximo)
                                altoMaximo = AltoDe(r);
                        }));
    EXPECT_LE(altoMaximo, alcanzado + 10);  // at most one more opening step was on its way
}

TEST_F(BarridoWin32, UnErrorEnUnTickVaAlInformeSinCruzarLaPlataforma) {
    class VentanaQueFalla : public VentanaPruebaWin32 {
    public:
        using VentanaPruebaWin32::VentanaPruebaWin32;
        bool fallar = false;
        float Height() const override {
            if (fallar) throw std::runtime_error("falla");
            return VentanaPruebaWin32::Height();
        }
    };
    VentanaQueFalla ventana(100, 100, 440, 300);
    IniciarBarrido(ventana, kAbrir, 255, 300);
    ventana.fallar = true;

    int informes = 0;
    int terminado = -1;
    forms::UsarPresentadorErrores({
        [&](const std::u16string&) { ++informes; },
        [&](int codigo) {
            terminado = codigo;
            KillTimer(ventana.Hwnd(), 0);  // the real report ends the program here
        },
    });
    const bool informado = Esperar([&] { return informes > 0; });
    forms::UsarPresentadorErrores(forms::PresentadorErroresPredeterminado());
    ventana.fallar = false;
    ASSERT_TRUE(informado);
    EXPECT_EQ(informes, 1);
    EXPECT_NE(terminado, -1);
}

}  // namespace
}  // namespace kalvenor
