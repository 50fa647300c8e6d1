// End to end, the main translator window: where it opens and how it grows, the key filters under real typing,
// the translations, keeping on top, the Move command, the opacity, and the
// two ways to close it.

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PruebaKalvenor.h"

namespace kalvenor::e2e {
namespace {

using VentanaPrincipal = PruebaKalvenor;

int AltoPantalla() { return ::GetSystemMetrics(SM_CYSCREEN); }

// Under Wine the taskbar found is a hidden window with the rectangle (0, 0, 0,
// 0): left <= 0, top <= 0, right < 600 is the left-edge case with a thickness
// of 0, so the window stands at x = 0 with its bottom edge on the screen's.
TEST_F(VentanaPrincipal, AbreEnLaEsquinaDeLaBarraYCreceHastaSuAltoDisenado) {
    ASSERT_NO_FATAL_FAILURE(Arrancar());
    const SIZE disenado = TamanoDisenadoPrincipal();
    const int paso = PasoEnPixeles(200);
    const int fondo = AltoPantalla();

    std::vector<RECT> muestras;
    const bool abierta = EsperarHasta([&] {
        if (!::IsWindowVisible(principal_)) return false;
        const std::optional<RECT> r = RectanguloSiExiste(principal_);
        if (!r) return false;
        muestras.push_back(*r);
        return r->bottom - r->top >= disenado.cy && r->bottom == fondo;
    });
    ASSERT_TRUE(abierta) << "alto " << Alto(principal_) << " de " << disenado.cy;

    std::set<int> altosAlCrecer;
    int altoAnterior = 0;
    for (const RECT& r : muestras) {
        SCOPED_TRACE(testing::Message() << "muestra (" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
                                        << ")");
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right - r.left, disenado.cx);
        // The height changes before the top, as two changes: between them the
        // bottom edge may stand one step low, never more.
        EXPECT_GE(r.bottom, fondo);
        EXPECT_LE(r.bottom, fondo + paso);
        EXPECT_GE(r.bottom - r.top, altoAnterior) << "la ventana encogió al abrirse";
        altoAnterior = r.bottom - r.top;
        if (altoAnterior < disenado.cy) altosAlCrecer.insert(altoAnterior);
    }
    EXPECT_GE(altosAlCrecer.size(), 2u) << "no se vio crecer la ventana paso a paso";

    // The sweep ends at the first height that reaches the designed one.
    const RECT final = Rectangulo(principal_);
    EXPECT_GE(final.bottom - final.top, disenado.cy);
    EXPECT_LE(final.bottom - final.top, disenado.cy + paso);
    const SIZE cliente = TamanoCliente(principal_);
    EXPECT_EQ(cliente.cx, 432);
    EXPECT_GE(cliente.cy, 320);

    // And stays there: two Timer1 ticks later nothing has moved.
    ASSERT_TRUE(programa().EsperarTics(principal_, 3));
    const RECT despues = Rectangulo(principal_);
    EXPECT_TRUE(::EqualRect(&final, &despues));
}

// A taskbar that none of the four edges describes (right of the screen, as on
// a second monitor): the window opens whole in the bottom-right corner of the
// work area.
TEST_F(VentanaPrincipal, ConLaBarraEnOtroMonitorAbreEnLaEsquinaDelAreaDeTrabajo) {
    const int ancho = ::GetSystemMetrics(SM_CXSCREEN);
    const OtraAplicacion barra(L"Shell_TrayWnd", L"", {ancho + 100, AltoPantalla() - 40, ancho + 1100, AltoPantalla()});
    ASSERT_NO_FATAL_FAILURE(Arrancar());
    RECT area{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    RECT r{};
    EXPECT_TRUE(EsperarHasta([&] {
        r = Rectangulo(principal_);
        return r.bottom - r.top >= TamanoDisenadoPrincipal().cy && r.right == area.right && r.bottom == area.bottom;
    })) << Describir(r)
        << " en el área " << Describir(area);
    EXPECT_TRUE(Dentro(r, area)) << Describir(r);
}

// Ordering the window on top never activates it: another application's
// window brought to the front keeps the front, tick after tick.
TEST_F(VentanaPrincipal, OtraVentanaTraidaAlFrenteSigueAlFrente) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const OtraAplicacion otra;
    ASSERT_TRUE(TraerAlFrente(otra.Ventana()));
    ASSERT_TRUE(programa().EsperarTics(principal_, programa().TicsTimer1(principal_) + 5));
    EXPECT_EQ(::GetForegroundWindow(), otra.Ventana());
    EXPECT_TRUE(EsTopmost(principal_));
}

TEST_F(VentanaPrincipal, LasTeclasEscritasPasanPorElFiltroDeCadaCaja) {
    ControlesPrincipal c;
    ASSERT_NO_FATAL_FAILURE(ArrancarConFocoEnText1(c));

    // H, o, l, a, blank, m, u, n, d, o: the blank is cancelled.
    Escribir(L"Hola mundo");
    EXPECT_TRUE(EsperarHasta([&] { return Texto(c.txtNormal).size() >= 9; }));
    EXPECT_EQ(Texto(c.txtNormal), L"Holamundo");

    // A 7 is refused in Text1. The full stop typed after it is taken: once it
    // is there, the 7 has been handled too.
    Escribir(L"7.");
    EXPECT_TRUE(EsperarHasta([&] { return Texto(c.txtNormal).size() >= 10; }));
    EXPECT_EQ(Texto(c.txtNormal), L"Holamundo.");

    // Tab moves to Text2, which refuses a and A and takes 7 and b.
    PulsarTecla(VK_TAB);
    ASSERT_TRUE(EsperarHasta([&] { return Foco(principal_) == c.txtClave; })) << "Tab no llevó el foco a Text2";
    Escribir(L"aA7b");
    EXPECT_TRUE(EsperarHasta([&] { return Texto(c.txtClave).size() >= 2; }));
    EXPECT_EQ(Texto(c.txtClave), L"7b");

    // Backspace works in both boxes; Enter adds nothing.
    PulsarTecla(VK_BACK);
    PulsarTecla(VK_RETURN);
    Escribir(L"d");
    EXPECT_TRUE(EsperarHasta([&] { return Texto(c.txtClave) == L"7d"; }))
        << "Text2: " << testing::PrintToString(Texto(c.txtClave));
    EXPECT_EQ(Texto(c.txtNormal), L"Holamundo.");
}

// Values an edited file holds that the program cannot use: it says which in
// Spanish, opens with the defaults for them, and leaves the file as it was.
TEST_F(VentanaPrincipal, UnArchivoConValoresInserviblesAvisaYAbreConLosPredeterminados) {
    const std::string archivo = ArchivoPreferencias({"Barrido=abc", "Layer=256", "ShowPopUp=0"});
    ASSERT_NO_FATAL_FAILURE(Arrancar(archivo));
    const std::wstring texto = TextoDelAviso(programa().EsperarVentana(L"Kalvenor"));
    EXPECT_NE(texto.find(L"Barrido=abc: no es un número entero; se usa 200"), std::wstring::npos) << texto;
    EXPECT_NE(texto.find(L"Layer=256: fuera del intervalo de 0 a 255; se usa 255"), std::wstring::npos) << texto;
    EXPECT_EQ(texto.find(L"ShowPopUp"), std::wstring::npos) << texto;
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(principal_));
    EXPECT_EQ(Opacidad(principal_), std::optional<BYTE>(255));
    ASSERT_TRUE(programa().EsperarTics(principal_, 2));
    EXPECT_FALSE(EsTopmost(principal_)) << "ShowPopUp=0, que sí se podía usar, no se aplicó";
    EXPECT_EQ(programa().LeerPreferencias(), std::optional<std::string>(archivo)) << "el archivo cambió";
}

// The navigation keys pressed in the boxes with real input (Text1 first, the
// Tab keys then move between the two).
TEST_F(VentanaPrincipal, EscapeYLasTeclasDeNavegacionNoCierranLaVentanaNiBorranElTexto) {
    ControlesPrincipal c;
    ASSERT_NO_FATAL_FAILURE(ArrancarConFocoEnText1(c));
    Escribir(L"Hola");
    ASSERT_TRUE(EsperarHasta([&] { return Texto(c.txtNormal) == L"Hola"; }));
    PonerTexto(c.txtClave, L"7b");

    auto zetas = [&] {
        const std::wstring texto = Texto(c.txtNormal) + Texto(c.txtClave);
        return std::count(texto.begin(), texto.end(), L'z');
    };
    auto sinZetas = [](std::wstring texto) {
        texto.erase(std::remove(texto.begin(), texto.end(), L'z'), texto.end());
        return texto;
    };
    for (const Pulsacion& p : kTeclasDeNavegacion) {
        SCOPED_TRACE(p.nombre);
        ASSERT_TRUE(TraerAlFrente(principal_)) << "la ventana principal ya no está";
        const auto antes = zetas();
        PulsarTecla(p.tecla, p.modificador);
        // A z typed after the key reaches the box that has the focus then:
        // once it is there, the key before it has been handled too. End first
        // drops the selection that tabbing into a box makes, which typing
        // would replace.
        PulsarTecla(VK_END);
        Escribir(L"z");
        ASSERT_TRUE(EsperarHasta([&] { return !::IsWindow(principal_) || zetas() > antes; }))
            << "la z no llegó a ninguna caja";
        ASSERT_TRUE(::IsWindow(principal_)) << "la ventana principal se cerró";
        EXPECT_EQ(sinZetas(Texto(c.txtNormal)), L"Hola");
        EXPECT_EQ(sinZetas(Texto(c.txtClave)), L"7b");
    }
    EXPECT_TRUE(::IsWindowVisible(principal_));
    EXPECT_TRUE(programa().Vivo());
    EXPECT_EQ(programa().Principal(), principal_) << "la ventana principal se cargó de nuevo";
}

// The platform's close command (the caption's button, Alt+F4) removes the
// window at once, with no closing sweep, and the program ends.
struct CierreDeLaPlataforma {
    const char* nombre;
    void (*cerrar)(HWND principal);
};

void PrintTo(const CierreDeLaPlataforma& caso, std::ostream* os) { *os << caso.nombre; }

class CerrarDesdeFuera : public PruebaKalvenor, public testing::WithParamInterface<CierreDeLaPlataforma> {};

TEST_P(CerrarDesdeFuera, LaQuitaDeUnaVezYElProgramaTermina) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const int abierta = Alto(principal_);
    GetParam().cerrar(principal_);
    std::vector<RECT> muestras;
    ASSERT_TRUE(MuestrearHastaQueDesaparezca(principal_, muestras)) << "la ventana principal no se cerró";
    for (const RECT& r : muestras) EXPECT_EQ(r.bottom - r.top, abierta) << "la ventana barrió antes de cerrarse";
    EXPECT_EQ(programa().EsperarFin(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Plataforma, CerrarDesdeFuera,
    testing::Values(CierreDeLaPlataforma{"WmClose", [](HWND v) { ::PostMessageW(v, WM_CLOSE, 0, 0); }},
                    CierreDeLaPlataforma{"BotonCerrar", [](HWND v) { ::PostMessageW(v, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                    CierreDeLaPlataforma{"AltF4",
                                         [](HWND v) {
                                             if (TraerAlFrente(v)) PulsarTecla(VK_F4, VK_MENU);
                                         }},
                    CierreDeLaPlataforma{"FinDeSesion",
                                         [](HWND v) { EXPECT_TRUE(FinDeSesion(v, ENDSESSION_CLOSEAPP)); }}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Each button's wire, with a text past the edit control's default limit and
// with an empty one: the translation replaces what the other box held, and
// the source box keeps its text.
TEST_F(VentanaPrincipal, CadaBotonLlevaLaTraduccionDeUnTextoLargoALaOtraCaja) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const ControlesPrincipal c = ControlesDePrincipal(principal_);
    ASSERT_NE(c.cmdTraducir, nullptr) << "no está el botón ZorbiTraducción";
    ASSERT_NE(c.cmdRegresar, nullptr) << "no está el botón Regresar a normal";
    std::wstring normal;
    std::wstring clave;
    for (int i = 0; i < 10000; ++i) {
        normal += L"Hola Ñandú";
        clave += L"H078 Ñ8ndú";
    }
    PonerTexto(c.txtNormal, normal);
    PonerTexto(c.txtClave, L"texto anterior");
    Pulsar(c.cmdTraducir);
    EXPECT_TRUE(Texto(c.txtClave) == clave) << "ZorbiTraducción dio " << Texto(c.txtClave).size() << " caracteres";
    EXPECT_TRUE(Texto(c.txtNormal) == normal) << "la caja de origen cambió";

    PonerTexto(c.txtNormal, L"texto anterior");
    Pulsar(c.cmdRegresar);
    EXPECT_TRUE(Texto(c.txtNormal) == normal) << "Regresar a normal dio " << Texto(c.txtNormal).size() << " caracteres";
    EXPECT_TRUE(Texto(c.txtClave) == clave) << "la caja de origen cambió";

    PonerTexto(c.txtNormal, L"");
    Pulsar(c.cmdTraducir);
    EXPECT_EQ(Texto(c.txtClave), L"") << "un texto vacío no llegó a la otra caja";
}

// ShowPopUp and Movible through Timer1: the sweep makes the window topmost and
// a fresh window has its Move command; from the first tick on, both follow
// the preferences, tick after tick.
struct CasoEncimaYMover {
    const char* nombre;
    const char* showPopUp;
    const char* movible;
    bool encima;
    bool mover;
};

void PrintTo(const CasoEncimaYMover& caso, std::ostream* os) { *os << caso.nombre; }

class EncimaYMover : public PruebaKalvenor, public testing::WithParamInterface<CasoEncimaYMover> {};

TEST_P(EncimaYMover, TrasElPrimerTicSiguenLasPreferencias) {
    const CasoEncimaYMover& caso = GetParam();
    ASSERT_NO_FATAL_FAILURE(Arrancar(
        ArchivoPreferencias({std::string("ShowPopUp=") + caso.showPopUp, std::string("Movible=") + caso.movible})));

    // Two ticks retrieved: the first has been handled.
    ASSERT_TRUE(programa().EsperarTics(principal_, 2)) << "Timer1 no dio dos tics";
    const std::optional<LPARAM> antes = programa().Consultar(principal_, Consulta::EstadoAntesDelPrimerTic);
    ASSERT_TRUE(antes.has_value());
    ASSERT_TRUE(*antes & kAntesTicAnotado) << "la sonda no vio el primer tic";
    EXPECT_TRUE(*antes & kAntesTicTopmost) << "no era topmost antes del primer tic";
    EXPECT_TRUE(*antes & kAntesTicMover) << "le faltaba Mover antes del primer tic";

    EXPECT_EQ(EsTopmost(principal_), caso.encima);
    EXPECT_EQ(programa().TieneMover(principal_), std::optional<bool>(caso.mover));

    // Still so some ticks later.
    ASSERT_TRUE(programa().EsperarTics(principal_, 4));
    EXPECT_EQ(EsTopmost(principal_), caso.encima);
    EXPECT_EQ(programa().TieneMover(principal_), std::optional<bool>(caso.mover));
}

INSTANTIATE_TEST_SUITE_P(Preferencias, EncimaYMover,
                         testing::Values(CasoEncimaYMover{"Encima_NoMovible", "1", "0", true, false},
                                         CasoEncimaYMover{"NoEncima_Movible", "0", "1", false, true},
                                         CasoEncimaYMover{"MenosUno_MenosUno", "-1", "-1", true, true}),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoOpacidad {
    const char* nombre;
    const char* layer;
    BYTE alfa;
};

void PrintTo(const CasoOpacidad& caso, std::ostream* os) { *os << caso.nombre; }

class OpacidadPrincipal : public PruebaKalvenor, public testing::WithParamInterface<CasoOpacidad> {};

TEST_P(OpacidadPrincipal, EsLaDelArchivo) {
    const CasoOpacidad& caso = GetParam();
    const std::string archivo = ArchivoPreferencias({std::string("Layer=") + caso.layer});
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(archivo));
    EXPECT_TRUE(::GetWindowLongW(principal_, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(Opacidad(principal_), std::optional<BYTE>(caso.alfa));
    EXPECT_EQ(programa().LeerPreferencias(), archivo);
}

INSTANTIATE_TEST_SUITE_P(Preferencias, OpacidadPrincipal,
                         testing::Values(CasoOpacidad{"Layer200", "200", 200},
                                         // Fainter than one fifth, the window could not be found.
                                         CasoOpacidad{"Layer10", "10", 51}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(VentanaPrincipal, ElMenuTieneSusTresOrdenes) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    EXPECT_EQ(programa().Consultar(principal_, Consulta::ElementosBarraMenu), std::optional<LPARAM>(3));
    for (int orden : {kSalir, kOpciones, kAcercaDe})
        EXPECT_GT(programa().Consultar(principal_, Consulta::IdElementoMenu, orden, 0).value_or(-1), 0) << orden;
}

// A screen reader names each box after the static text right before it in
// window order; Tab still goes from box to box, then to the two buttons.
TEST_F(VentanaPrincipal, CadaCajaSigueASuEtiquetaYElTabConservaSuOrden) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const ControlesPrincipal c = ControlesDePrincipal(principal_);
    const std::pair<HWND, const wchar_t*> etiquetas[] = {{c.txtNormal, L"Ingrese el texto Normal a traducir"},
                                                         {c.txtClave, L"Ingrese el texto Zorbi a traducir"}};
    for (const auto& [caja, etiqueta] : etiquetas) {
        ASSERT_NE(caja, nullptr);
        EXPECT_EQ(::GetWindow(caja, GW_HWNDPREV), HijoConTexto(principal_, L"Static", etiqueta));
    }
    const HWND tabulacion[] = {c.txtNormal, c.txtClave, c.cmdTraducir, c.cmdRegresar, c.txtNormal};
    for (std::size_t i = 0; i + 1 < std::size(tabulacion); ++i)
        EXPECT_EQ(::GetNextDlgTabItem(principal_, tabulacion[i], FALSE), tabulacion[i + 1]) << "paso " << i;
}

// Dark system colours for one test, put back at its end: they stay in the
// Wine prefix. The two backgrounds differ, so that each surface shows which
// one it takes.
class ColoresOscuros {
public:
    ColoresOscuros() {
        for (std::size_t i = 0; i < std::size(kElementos); ++i) anteriores_[i] = ::GetSysColor(kElementos[i]);
        const COLORREF oscuros[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 64), RGB(255, 255, 0)};
        ::SetSysColors(std::size(kElementos), kElementos, oscuros);
    }
    ~ColoresOscuros() { ::SetSysColors(std::size(kElementos), kElementos, anteriores_); }

private:
    static constexpr int kElementos[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    COLORREF anteriores_[std::size(kElementos)] = {};
};

// High contrast switched on and off while the window is open (the probe
// does it for the program, which Wine cannot do for the system): the
// window's background and the plain-text box follow.
TEST_F(VentanaPrincipal, ConAltoContrasteUsaLosColoresDelSistemaYAlQuitarloLosSuyos) {
    const ColoresOscuros colores;
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const HWND Text1 = ControlesDePrincipal(principal_).txtNormal;
    ASSERT_NE(Text1, nullptr);
    const auto vistos = [&] { return std::pair(ColorEn(principal_, {2, 2}), ColorEn(Text1, {10, 10})); };
    const std::pair disenados(RGB(255, 128, 128), RGB(192, 255, 255));
    const std::pair delSistema(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW));
    for (const bool encendido : {true, false}) {
        SCOPED_TRACE(encendido ? "encendido" : "apagado");
        ASSERT_EQ(programa().Consultar(principal_, Consulta::AltoContraste, encendido), std::optional<LPARAM>(1));
        EXPECT_TRUE(EsperarHasta([&] { return vistos() == (encendido ? delSistema : disenados); }))
            << std::hex << "fondo " << vistos().first << ", Text1 " << vistos().second;
    }
}

// Salir by the keyboard: F10, Down, Enter.
TEST_F(VentanaPrincipal, SalirLaBarreHastaCerrarlaYElProgramaTermina) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const int abierta = Alto(principal_);
    const int paso = PasoEnPixeles(200);
    const int fondo = AltoPantalla();

    ASSERT_TRUE(programa().MenuPorTeclado(principal_, kMenuArchivo));
    std::vector<RECT> muestras;
    ASSERT_TRUE(MuestrearHastaQueDesaparezca(principal_, muestras)) << "la ventana principal no se cerró";

    int altoAnterior = abierta;
    int menor = abierta;
    for (const RECT& r : muestras) {
        SCOPED_TRACE(testing::Message() << "muestra (" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
                                        << ")");
        EXPECT_EQ(r.left, 0);
        // Height first, then top: between the two the bottom edge may stand
        // one step high.
        EXPECT_LE(r.bottom, fondo);
        EXPECT_GE(r.bottom, fondo - paso);
        EXPECT_LE(r.bottom - r.top, altoAnterior) << "la ventana creció al cerrarse";
        altoAnterior = r.bottom - r.top;
        menor = std::min(menor, altoAnterior);
    }
    EXPECT_LT(menor, abierta - paso) << "no se vio barrer la ventana";
    EXPECT_EQ(programa().EsperarFin(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kalvenor::e2e
