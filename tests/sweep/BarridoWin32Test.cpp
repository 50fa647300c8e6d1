// The sweep with the real user32 seam on a real form of the forms layer, under
// Wine at the dpi of the prefix it runs in (ctest runs it at 96, 120 and 144):
// placement, topmost and translucent, the bottom edge held to the pixel while
// the window grows and shrinks, unloading.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Bombeo.h"
#include "Sistema.h"
#include "forms/core/Units.h"
#include "forms/win32/Screen.h"
#include "forms/win32/Form.h"
#include "forms/win32/ErrorReport.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarridoWin32.h"

namespace kalvenor {
namespace {

constexpr std::chrono::seconds kLimite{60};
// The main window's designed client area.
constexpr int kAnchoCliente = 6480;
constexpr int kAltoCliente = 4800;

// A sweep tick runs whole inside one dispatch: `despues` sees the window
// between ticks.
bool Esperar(const std::function<bool()>& condicion, const std::function<void()>& despues = {}) {
    return pruebas::BombearHasta(condicion, kLimite, despues);
}

RECT Rect(HWND ventana) {
    RECT r{};
    GetWindowRect(ventana, &r);
    return r;
}

int AltoDe(const RECT& r) { return r.bottom - r.top; }

bool SoloCrece(const std::vector<int>& altos) {
    return std::adjacent_find(altos.begin(), altos.end(), std::greater_equal<int>()) == altos.end();
}
bool SoloEncoge(const std::vector<int>& altos) {
    return std::adjacent_find(altos.begin(), altos.end(), std::less_equal<int>()) == altos.end();
}

// A form swept as the main window is: loading it opens the sweep.
class FormaBarrida : public forms::Form {
public:
    explicit FormaBarrida(std::int16_t paso, std::uint8_t opacidad = 255)
        : Form(forms::FormDesign{.caption = L"Kalvenor barrido",
                                 .clientWidth = kAnchoCliente,
                                 .clientHeight = kAltoCliente,
                                 .backColor = RGB(255, 128, 128),
                                 .heightDownToZero = true}),
          paso_(paso),
          opacidad_(opacidad) {}

    void Cerrar() { IniciarBarrido(*this, Sentido::Cerrar, opacidad_, paso_); }

    int descargas = 0;

protected:
    void Form_Load() override { IniciarBarrido(*this, Sentido::Abrir, opacidad_, paso_); }
    void Form_Unload(std::int16_t&) override { ++descargas; }

private:
    std::int16_t paso_;
    std::uint8_t opacidad_;
};

// Records, between ticks, the heights a window goes through and how often its
// bottom edge stood anywhere but on its line.
struct Muestras {
    HWND ventana;
    LONG fondo;
    std::vector<int> altos;
    int fueraDeLinea = 0;

    void operator()() {
        if (!IsWindow(ventana)) return;
        const RECT r = Rect(ventana);
        if (r.bottom != fondo) ++fueraDeLinea;
        if (altos.empty() || AltoDe(r) != altos.back()) altos.push_back(AltoDe(r));
    }
};

class BarridoWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        SetProcessDPIAware();
        ReiniciarEstadoBarrido();
        UsarPlataformaBarrido(plataforma, forms::TheScreen());
        ppp = pruebas::PuntosPorPulgada();
        RecordProperty("ppp", ppp);
    }
    void TearDown() override { ReiniciarEstadoBarrido(); }

    // Under Wine the taskbar is a hidden window with the rectangle (0, 0, 0,
    // 0): the left-edge case with a thickness of 0, so the window stands at
    // x = 0 on the screen's bottom. With no taskbar: the bottom-right corner.
    void ComprobarColocacion(const forms::Form& forma) {
        ASSERT_NE(BarridoDe(forma), nullptr);
        const PosicionBarra posicion = BarridoDe(forma)->Posicion;
        const RECT r = Rect(forma.hWnd());
        const HWND barra = FindWindowA("Shell_TrayWnd", "");
        RECT rectBarra{};
        if (barra == nullptr) {
            EXPECT_EQ(posicion, PosicionBarra::Abajo);
            EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
            EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
        } else if (GetWindowRect(barra, &rectBarra) && IsRectEmpty(&rectBarra) && rectBarra.left == 0 &&
                   rectBarra.top == 0 && rectBarra.right == 0) {
            EXPECT_EQ(posicion, PosicionBarra::Izquierda);
            EXPECT_EQ(r.left, 0);
            EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
        }
        ASSERT_NE(posicion, PosicionBarra::Arriba) << "these tests expect a window growing upwards";
    }

    // Grown to its designed client area: the end of an opening sweep.
    bool Abierta(HWND ventana) const {
        RECT cliente{};
        return GetClientRect(ventana, &cliente) && cliente.bottom >= forms::PixelsFromTwips(kAltoCliente, ppp);
    }

    PlataformaBarridoWin32 plataforma;
    int ppp = forms::kStandardDpi;
};

class PasosWin32 : public BarridoWin32, public ::testing::WithParamInterface<std::int16_t> {};

TEST_P(PasosWin32, AbreYCierraConElBordeDeAbajoEnSuPixel) {
    const std::int16_t paso = GetParam();
    const int crecimiento = std::max(1, forms::PixelsFromTwips(paso, ppp));
    SCOPED_TRACE(testing::Message() << ppp << " ppp, paso " << paso << " (" << crecimiento << " px)");

    FormaBarrida forma(paso, 200);
    forma.Show();
    const HWND hwnd = forma.hWnd();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_NO_FATAL_FAILURE(ComprobarColocacion(forma));

    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alfa = 0;
    DWORD banderas = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alfa, &banderas));
    EXPECT_EQ(alfa, 200);
    EXPECT_TRUE(banderas & LWA_ALPHA);

    // Opening: grows to the designed client area, scaled to this dpi, and
    // ends less than one step taller.
    Muestras apertura{hwnd, Rect(hwnd).bottom, {}};
    apertura();
    ASSERT_TRUE(Esperar([&] { return Abierta(hwnd); }, std::ref(apertura))) << "alto " << AltoDe(Rect(hwnd));
    pruebas::BombearDurante(std::chrono::milliseconds(100), std::ref(apertura));
    EXPECT_FALSE(KillTimer(hwnd, 0)) << "the sweep timer is still armed";
    EXPECT_EQ(apertura.fueraDeLinea, 0);
    EXPECT_TRUE(SoloCrece(apertura.altos)) << "the window shrank while opening";
    const int altoCliente = forms::PixelsFromTwips(kAltoCliente, ppp);
    RECT cliente{};
    GetClientRect(hwnd, &cliente);
    EXPECT_EQ(cliente.right, forms::PixelsFromTwips(kAnchoCliente, ppp));
    EXPECT_GE(cliente.bottom, altoCliente);
    EXPECT_LT(cliente.bottom, altoCliente + crecimiento);

    // Closing: shrinks to 520 twips or less, then the window is unloaded.
    Muestras cierre{hwnd, Rect(hwnd).bottom, {}};
    forma.Cerrar();
    ASSERT_TRUE(Esperar([&] { return forma.descargas > 0; }, std::ref(cierre)));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(forma.descargas, 1);
    EXPECT_EQ(cierre.fueraDeLinea, 0);
    EXPECT_TRUE(SoloEncoge(cierre.altos)) << "the window grew while closing";
    ASSERT_FALSE(cierre.altos.empty());
    EXPECT_LE(forms::TwipsFromPixels(cierre.altos.back(), ppp), AlturaCerrada);
    EXPECT_FALSE(BarridoCerrandoseEn(forma));
}

INSTANTIATE_TEST_SUITE_P(Pasos, PasosWin32, ::testing::Values<std::int16_t>(7, 90, 150, 375, 600, 32767),
                         [](const auto& info) { return "paso" + std::to_string(info.param); });

// The platform keeps this window taller than 520 twips at any dpi.
int alturaMinima = 0;
WNDPROC procedimientoDelForm = nullptr;

LRESULT CALLBACK ConAlturaMinima(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam) {
    const LRESULT resultado = CallWindowProcW(procedimientoDelForm, ventana, mensaje, wParam, lParam);
    if (mensaje == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = alturaMinima;
    return resultado;
}

TEST_F(BarridoWin32, UnCierreTerminaAunqueLaVentanaNoPuedaBajarDe520) {
    FormaBarrida forma(300);
    forma.Show();
    const HWND hwnd = forma.hWnd();
    ASSERT_TRUE(Esperar([&] { return Abierta(hwnd); }));
    alturaMinima = forms::PixelsFromTwips(900, ppp);
    procedimientoDelForm =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ConAlturaMinima)));

    Muestras cierre{hwnd, Rect(hwnd).bottom, {}};
    forma.Cerrar();
    ASSERT_TRUE(Esperar([&] { return forma.descargas > 0; }, std::ref(cierre)));
    EXPECT_FALSE(IsWindow(hwnd));
    ASSERT_FALSE(cierre.altos.empty());
    EXPECT_EQ(cierre.altos.back(), alturaMinima);
    EXPECT_EQ(cierre.fueraDeLinea, 0);
}

TEST_F(BarridoWin32, UnCierreEnMitadDeLaAperturaLaEncogeDesdeDondeIba) {
    FormaBarrida forma(150);
    forma.Show();
    const HWND hwnd = forma.hWnd();
    ASSERT_TRUE(Esperar([&] { return AltoDe(Rect(hwnd)) >= 100; }));
    const int alcanzado = AltoDe(Rect(hwnd));
    EXPECT_LT(alcanzado, 300);

    Muestras cierre{hwnd, Rect(hwnd).bottom, {alcanzado}};
    forma.Cerrar();
    ASSERT_TRUE(Esperar([&] { return forma.descargas > 0; }, std::ref(cierre)));
    EXPECT_EQ(*std::max_element(cierre.altos.begin(), cierre.altos.end()), alcanzado);
    EXPECT_EQ(cierre.fueraDeLinea, 0);
}

// Two windows sweeping at once: each timer steps the window it ticks for.
TEST_F(BarridoWin32, DosVentanasBarriendoALaVezAvanzaCadaUnaLaSuya) {
    FormaBarrida una(150);
    FormaBarrida otra(150);
    una.Show();
    otra.Show();
    const HWND ventanas[] = {una.hWnd(), otra.hWnd()};
    ASSERT_TRUE(Esperar([&] { return Abierta(ventanas[0]) && Abierta(ventanas[1]); }));
    pruebas::BombearDurante(std::chrono::milliseconds(100));
    const int crecimiento = std::max(1, forms::PixelsFromTwips(150, ppp));
    for (HWND ventana : ventanas) {
        RECT cliente{};
        GetClientRect(ventana, &cliente);
        EXPECT_LT(cliente.bottom, forms::PixelsFromTwips(kAltoCliente, ppp) + crecimiento) << "grown by both timers";
    }
    una.Cerrar();
    otra.Cerrar();
    EXPECT_TRUE(Esperar([&] { return una.descargas > 0 && otra.descargas > 0; }));
}

TEST_F(BarridoWin32, UnErrorEnUnTickVaAlInformeSinCruzarLaPlataforma) {
    class FormaQueFalla : public FormaBarrida {
    public:
        using FormaBarrida::FormaBarrida;
        bool fallar = false;
        float Height() const override {
            if (fallar) throw std::runtime_error("falla");
            return FormaBarrida::Height();
        }
    };
    FormaQueFalla forma(300);
    forma.Show();
    forma.fallar = true;

    int informes = 0;
    int terminado = -1;
    forms::UseErrorPresenter({
        [&](const std::u16string&) { ++informes; },
        [&](int codigo) {
            terminado = codigo;
            KillTimer(forma.hWnd(), 0);  // the real report ends the program here
        },
    });
    const bool informado = Esperar([&] { return informes > 0; });
    forms::UseErrorPresenter(forms::DefaultErrorPresenter());
    forma.fallar = false;
    ASSERT_TRUE(informado);
    EXPECT_EQ(informes, 1);
    EXPECT_NE(terminado, -1);
}

}  // namespace
}  // namespace kalvenor
