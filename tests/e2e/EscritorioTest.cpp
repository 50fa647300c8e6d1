// End to end, the program on a desktop as a user meets it: the main window in
// its corner above a real taskbar, the caption dragged with the real mouse,
// and a second start while the program runs.
//
// Escritorio.* needs a taskbar with a real rectangle, which Wine has only in
// a desktop of its own with its shell: scripts/desktop-test.sh runs those
// tests there, through the same launch as scripts/run.sh.

#include <atomic>
#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "PruebaKalvenor.h"

namespace kalvenor::e2e {
namespace {

using Escritorio = PruebaKalvenor;

bool Entera(const RECT& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= ::GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom <= ::GetSystemMetrics(SM_CYSCREEN);
}

TEST_F(Escritorio, LaPrincipalAbreEnteraEnSuEsquinaSobreLaBarraDeTareas) {
    HWND bandeja = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT barra{};
    ASSERT_TRUE(bandeja && ::IsWindowVisible(bandeja) && ::GetWindowRect(bandeja, &barra)) << "no hay barra de tareas";
    ASSERT_TRUE(barra.left <= 0 && barra.top > 0 && barra.bottom > barra.top) << "la barra de tareas no está abajo";

    ASSERT_NO_FATAL_FAILURE(Arrancar());
    // The bottom edge stays on the taskbar's top edge; between the two
    // changes of a step (height, then top) it may stand one step low.
    const int paso = PasoEnPixeles(200);
    std::vector<RECT> muestras;
    ASSERT_TRUE(EsperarHasta([&] {
        const std::optional<RECT> r = RectanguloSiExiste(principal_);
        if (!r || !::IsWindowVisible(principal_)) return false;
        muestras.push_back(*r);
        return r->bottom - r->top >= TamanoDisenadoPrincipal().cy && r->bottom == barra.top;
    })) << "la ventana principal no terminó de abrirse sobre la barra";
    for (const RECT& r : muestras) {
        EXPECT_GE(r.bottom, barra.top);
        EXPECT_LE(r.bottom, barra.top + paso);
    }
    const RECT abierta = Rectangulo(principal_);
    EXPECT_TRUE(Entera(abierta)) << "(" << abierta.left << ", " << abierta.top << ", " << abierta.right << ", "
                                 << abierta.bottom << ")";
    EXPECT_EQ(abierta.right, ::GetSystemMetrics(SM_CXSCREEN));
}

struct CasoArrastre {
    const char* nombre;
    const char* movible;
    bool sigueAlRaton;
};

void PrintTo(const CasoArrastre& caso, std::ostream* os) { *os << caso.nombre; }

class ArrastreDelTitulo : public PruebaKalvenor, public testing::WithParamInterface<CasoArrastre> {};

TEST_P(ArrastreDelTitulo, MueveLaVentanaSoloSiSePermite) {
    const CasoArrastre& caso = GetParam();
    ControlesPrincipal c;
    ASSERT_NO_FATAL_FAILURE(ArrancarConFocoEnText1(c, ArchivoPreferencias({std::string("Movible=") + caso.movible})));
    // After the first tick of Timer1 the preference is in force.
    ASSERT_TRUE(programa().EsperarTics(principal_, 2));
    ASSERT_EQ(programa().TieneMover(principal_), std::optional<bool>(caso.sigueAlRaton));

    const RECT antes = Rectangulo(principal_);
    const POINT titulo{antes.left + (antes.right - antes.left) / 3,
                       antes.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2};
    const int dx = antes.left > ::GetSystemMetrics(SM_CXSCREEN) / 2 ? -150 : 150;
    const int dy = -100;
    Arrastrar(titulo, dx, dy);
    // A key typed after the drag shows once the drag's input has been handled.
    Escribir(L"a");
    ASSERT_TRUE(EsperarHasta([&] { return Texto(c.Text1) == L"a"; })) << "el programa no atendió la entrada";

    RECT esperado = antes;
    if (caso.sigueAlRaton) ::OffsetRect(&esperado, dx, dy);
    ASSERT_TRUE(EsperarHasta([&] {
        const RECT r = Rectangulo(principal_);
        return ::EqualRect(&r, &esperado) != FALSE;
    })) << "la ventana está en ("
        << Rectangulo(principal_).left << ", " << Rectangulo(principal_).top << "); se esperaba (" << esperado.left
        << ", " << esperado.top << ")";
}

INSTANTIATE_TEST_SUITE_P(Preferencias, ArrastreDelTitulo,
                         testing::Values(CasoArrastre{"NoMovible_SeQueda", "0", false},
                                         CasoArrastre{"Movible_SigueAlRaton", "1", true}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A top-level window of another program (the driver), on a thread of its own
// that answers its messages, to take the foreground from Kalvenor.
class OtraAplicacion {
public:
    OtraAplicacion()
        : hilo_([this] {
              HWND ventana = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Otra aplicación", WS_POPUP | WS_VISIBLE, 200,
                                               200, 300, 200, nullptr, nullptr, nullptr, nullptr);
              idHilo_ = ::GetCurrentThreadId();
              ventana_ = ventana;
              MSG mensaje;
              while (::GetMessageW(&mensaje, nullptr, 0, 0) > 0) ::DispatchMessageW(&mensaje);
              if (ventana) ::DestroyWindow(ventana);
          }) {
        EsperarHasta([&] { return ventana_.load() != nullptr; });
    }
    ~OtraAplicacion() {
        EsperarHasta([&] { return idHilo_.load() != 0; });
        ::PostThreadMessageW(idHilo_, WM_QUIT, 0, 0);
        hilo_.join();
    }
    OtraAplicacion(const OtraAplicacion&) = delete;
    OtraAplicacion& operator=(const OtraAplicacion&) = delete;
    HWND Ventana() const { return ventana_; }

private:
    std::atomic<HWND> ventana_{nullptr};
    std::atomic<DWORD> idHilo_{0};
    std::thread hilo_;
};

struct CasoSegundoArranque {
    const char* nombre;
    bool conOpciones;  // the options window open, the main window swept shut
};

void PrintTo(const CasoSegundoArranque& caso, std::ostream* os) { *os << caso.nombre; }

class SegundoArranque : public PruebaKalvenor, public testing::WithParamInterface<CasoSegundoArranque> {};

TEST_P(SegundoArranque, TraeAlFrenteLaVentanaQueCorreYTerminaSinTocarNada) {
    const CasoSegundoArranque& caso = GetParam();
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(ArchivoPreferencias({"Barrido=150", "Layer=200"})));
    HWND esperada = principal_;
    const ControlesPrincipal c = ControlesDePrincipal(principal_);
    PonerTexto(c.Text1, L"hola");
    if (caso.conOpciones) {
        programa().Menu(principal_, kIdOpciones);
        esperada = programa().EsperarVentana(kTituloOpciones);
        ASSERT_NE(esperada, nullptr);
        ASSERT_TRUE(EsperarQueDesaparezca(principal_)) << "la principal no se cerró al abrir Opciones";
    }
    const std::optional<std::string> preferencias = programa().LeerPreferencias();

    OtraAplicacion otra;
    ASSERT_NE(otra.Ventana(), nullptr);
    ASSERT_TRUE(TraerAlFrente(otra.Ventana()));

    EXPECT_EQ(programa().ArrancarOtraCopia(), std::optional<DWORD>(0)) << "la segunda copia no terminó en seguida";
    EXPECT_TRUE(EsperarHasta([&] { return ::GetForegroundWindow() == esperada; }))
        << "la ventana que corre no pasó al frente";
    EXPECT_EQ(programa().LeerPreferencias(), preferencias);
    if (caso.conOpciones) {
        EXPECT_EQ(programa().Opciones(), esperada);
        EXPECT_EQ(programa().Principal(), nullptr) << "la principal se volvió a cargar";
    } else {
        EXPECT_EQ(programa().Ventanas(kPrefijoTituloPrincipal, true), std::vector<HWND>{principal_});
        EXPECT_EQ(Texto(c.Text1), L"hola") << "la principal se volvió a cargar";
    }
}

INSTANTIATE_TEST_SUITE_P(ConElProgramaAbierto, SegundoArranque,
                         testing::Values(CasoSegundoArranque{"LaPrincipal", false},
                                         CasoSegundoArranque{"LasOpciones", true}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Disabled here: the browser test (navegador.js) runs it in the Wine desktop
// of the run command, where it reads the code box of the Kalvenor that the
// browser has worked.
TEST(DISABLED_EnElNavegador, LaCajaDeClaveTieneElTextoEsperado) {
    const char* variable = std::getenv("KALVENOR_CLAVE_ESPERADA");
    ASSERT_NE(variable, nullptr) << "KALVENOR_CLAVE_ESPERADA no está definida";
    const std::string esperada = variable;
    std::wstring clave;
    EXPECT_TRUE(EsperarHasta([&] {
        for (HWND v = ::FindWindowExW(nullptr, nullptr, nullptr, nullptr); v;
             v = ::FindWindowExW(nullptr, v, nullptr, nullptr)) {
            if (!Texto(v).starts_with(kPrefijoTituloPrincipal)) continue;
            clave = Texto(ControlesDePrincipal(v).Text2);
            return clave == std::wstring(esperada.begin(), esperada.end());
        }
        return false;
    })) << "la caja de clave tiene \""
        << std::string(clave.begin(), clave.end()) << "\"";
}

}  // namespace
}  // namespace kalvenor::e2e
