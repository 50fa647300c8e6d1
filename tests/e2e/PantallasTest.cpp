// End to end at the screen's resolution, whatever it is (ctest runs these at
// 96, 120 and 144 dpi): the main window opens with its bottom edge on the
// screen's and keeps it there, its client area is the design's scaled to the
// dpi, and every window lies whole on the screen with its controls inside it.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "PruebaKalvenor.h"

namespace kalvenor::e2e {
namespace {

// The main window's designed client area, in twips.
constexpr int kAnchoCliente = 6480;
constexpr int kAltoCliente = 4800;

BOOL CALLBACK AnotarHijo(HWND hijo, LPARAM hijos) {
    reinterpret_cast<std::vector<HWND>*>(hijos)->push_back(hijo);
    return TRUE;
}

// The child windows that do not lie wholly inside the window's client area,
// described for the failure message; how many children there are in total.
std::vector<std::string> HijosFuera(HWND ventana, int& total) {
    std::vector<HWND> hijos;
    ::EnumChildWindows(ventana, &AnotarHijo, reinterpret_cast<LPARAM>(&hijos));
    total = static_cast<int>(hijos.size());
    const SIZE cliente = TamanoCliente(ventana);
    std::vector<std::string> fuera;
    for (HWND hijo : hijos) {
        RECT r = Rectangulo(hijo);
        ::MapWindowPoints(nullptr, ventana, reinterpret_cast<POINT*>(&r), 2);
        if (r.left >= 0 && r.top >= 0 && r.right <= cliente.cx && r.bottom <= cliente.cy) continue;
        std::ostringstream descripcion;
        descripcion << testing::PrintToString(Clase(hijo)) << " " << testing::PrintToString(Texto(hijo)) << " ("
                    << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ") en " << cliente.cx << " x "
                    << cliente.cy;
        fuera.push_back(descripcion.str());
    }
    return fuera;
}

// The samples whose bottom edge lies outside [desde, hasta], for the failure
// message.
std::vector<std::string> FondosFuera(const std::vector<RECT>& muestras, LONG desde, LONG hasta) {
    std::vector<std::string> fuera;
    for (const RECT& r : muestras) {
        if (r.bottom < desde || r.bottom > hasta)
            fuera.push_back("alto " + std::to_string(r.bottom - r.top) + " con el borde en " +
                            std::to_string(r.bottom));
    }
    return fuera;
}

// The window whole on the screen, and its controls inside it.
void EsperarControlesDentro(HWND ventana) {
    const RECT r = Rectangulo(ventana);
    EXPECT_TRUE(Dentro(r, RectanguloPantalla())) << testing::PrintToString(Texto(ventana)) << " " << Describir(r);
    int total = 0;
    const std::vector<std::string> fuera = HijosFuera(ventana, total);
    EXPECT_GE(total, 1) << "la ventana no tiene controles";
    EXPECT_TRUE(fuera.empty()) << testing::PrintToString(fuera);
}

class Pantallas : public PruebaKalvenor, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        // The program is dpi-aware; the driver reads its geometry the same way.
        ::SetProcessDPIAware();
        PruebaKalvenor::SetUp();
        ppp_ = PuntosPorPulgada();
        RecordProperty("ppp", ppp_);
    }
    int ppp_ = 96;
};

// Under Wine the taskbar is a hidden window with the rectangle (0, 0, 0, 0):
// the left-edge case with a thickness of 0, so the window stands at x = 0 and
// grows upwards from the screen's bottom. Steps of 90 and 150 twips are half a
// pixel over whole ones at 120 dpi, 375 at 144.
TEST_P(Pantallas, LaPrincipalAbreYCierraConElBordeDeAbajoEnElDeLaPantalla) {
    const int barrido = GetParam();
    const int paso = std::max(1, PasoEnPixeles(barrido));
    const int fondo = ::GetSystemMetrics(SM_CYSCREEN);
    const SIZE disenado{::MulDiv(kAnchoCliente, ppp_, 1440), ::MulDiv(kAltoCliente, ppp_, 1440)};
    SCOPED_TRACE(testing::Message() << ppp_ << " ppp, Barrido " << barrido << " (" << paso << " px)");
    ASSERT_NO_FATAL_FAILURE(Arrancar(ArchivoPreferencias({"Barrido=" + std::to_string(barrido)})));

    // The height changes before the top, as two changes: between them the
    // bottom edge may stand one step low, never more, and never above.
    std::vector<RECT> muestras;
    const bool crecio = EsperarHasta([&] {
        const std::optional<RECT> r = RectanguloSiExiste(principal_);
        if (!r || !::IsWindowVisible(principal_)) return false;
        muestras.push_back(*r);
        return TamanoCliente(principal_).cy >= disenado.cy;
    });
    ASSERT_TRUE(crecio) << "alto de cliente " << TamanoCliente(principal_).cy << " de " << disenado.cy;
    EXPECT_TRUE(std::all_of(muestras.begin(), muestras.end(), [](const RECT& r) { return r.left == 0; }));
    EXPECT_EQ(FondosFuera(muestras, fondo, fondo + paso), std::vector<std::string>{});

    // Once Timer1 has ticked the sweep's last tick is done: the window stands
    // on the screen's bottom at its designed size, at most one step taller.
    ASSERT_TRUE(programa().EsperarTics(principal_, programa().TicsTimer1(principal_) + 2));
    const RECT abierta = Rectangulo(principal_);
    EXPECT_EQ(abierta.left, 0);
    EXPECT_EQ(abierta.bottom, fondo) << "la ventana quedó " << abierta.bottom - fondo << " px por debajo";
    const SIZE cliente = TamanoCliente(principal_);
    EXPECT_EQ(cliente.cx, disenado.cx);
    EXPECT_GE(cliente.cy, disenado.cy);
    EXPECT_LT(cliente.cy, disenado.cy + paso);
    EsperarControlesDentro(principal_);

    // Salir: the closing sweep keeps the edge too, one step high at most.
    programa().Menu(principal_, kSalir);
    muestras.clear();
    ASSERT_TRUE(MuestrearHastaQueDesaparezca(principal_, muestras)) << "la ventana principal no se cerró";
    EXPECT_EQ(FondosFuera(muestras, fondo - paso, fondo), std::vector<std::string>{});
    EXPECT_EQ(programa().EsperarFin(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Barrido, Pantallas, testing::Values(90, 150, 200, 375),
                         [](const auto& info) { return "Barrido" + std::to_string(info.param); });

TEST_F(Pantallas, LasOpcionesYAcercaDeTienenSusControlesDentro) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    programa().Menu(principal_, kOpciones);
    HWND opciones = programa().EsperarVentana(kTituloOpciones);
    ASSERT_NE(opciones, nullptr) << "no se abrió Opciones";
    // A form is shown once its controls are all made.
    ASSERT_TRUE(EsperarHasta([&] { return ::IsWindowVisible(opciones) != FALSE; }));
    EsperarControlesDentro(opciones);
    Pulsar(ControlesDeOpciones(opciones).cmdCancelar);
    ASSERT_TRUE(EsperarQueDesaparezca(opciones));

    HWND principal = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(principal, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(principal));
    programa().Menu(principal, kAcercaDe);
    HWND acercaDe = programa().EsperarVentana(kTituloAcercaDe);
    ASSERT_NE(acercaDe, nullptr) << "no se abrió Acerca de...";
    ASSERT_TRUE(EsperarHasta([&] { return ::IsWindowVisible(acercaDe) != FALSE; }));
    EsperarControlesDentro(acercaDe);
}

}  // namespace
}  // namespace kalvenor::e2e
