// End to end, the options window, the about window and the reload cycle of
// the main window around them: the
// main window sweeps shut when one of them opens and loads anew when it closes.

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "PruebaKalvenor.h"

namespace kalvenor::e2e {
namespace {

using Chrono = std::chrono::steady_clock;

class Recarga : public PruebaKalvenor {
protected:
    // Opens a window by the menu command and waits for it; with `esperarCierre`
    // also for the main window to have swept shut and unloaded.
    HWND Abrir(int orden, std::wstring_view titulo, bool esperarCierre = true) {
        programa().Menu(principal_, orden);
        HWND ventana = programa().EsperarVentana(titulo);
        EXPECT_NE(ventana, nullptr) << "no se abrió la ventana " << testing::PrintToString(std::wstring(titulo));
        if (ventana && esperarCierre) {
            EXPECT_TRUE(EsperarQueDesaparezca(principal_)) << "la ventana principal no se barrió hasta cerrarse";
        }
        return ventana;
    }

    std::vector<std::string> LineasPreferencias() {
        const std::optional<std::string> bytes = programa().LeerPreferencias();
        return bytes ? LineasDe(*bytes) : std::vector<std::string>{};
    }
};

using Opciones = Recarga;
using AcercaDe = Recarga;

TEST_F(Opciones, CancelarEnSeguidaNoEscribeNadaYLaPrincipalVuelveCargadaDeNuevo) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    PonerTexto(ControlesDePrincipal(principal_).txtNormal, L"Camino");
    HWND opciones = Abrir(kOpciones, kTituloOpciones, false);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.cmdCancelar, nullptr);
    // Filled from the defaults.
    EXPECT_EQ(PosicionDeslizador(c.sliPaso), 200);
    EXPECT_EQ(PosicionDeslizador(c.sliOpacidad), 255);
    EXPECT_TRUE(Marcada(c.cheSiempreEncima));
    EXPECT_FALSE(Marcada(c.cheMovible));

    Pulsar(c.cmdCancelar);
    EXPECT_TRUE(EsperarQueDesaparezca(opciones));
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    EXPECT_FALSE(::IsWindow(principal_));
    EXPECT_EQ(Texto(ControlesDePrincipal(nueva).txtNormal), L"");
    EXPECT_FALSE(programa().LeerPreferencias().has_value()) << "Cancelar creó el archivo de configuración";
    // The defaults: opaque, kept on top, and no Move command after the first tick.
    EXPECT_EQ(Opacidad(nueva), std::optional<BYTE>(255));
    ASSERT_TRUE(programa().EsperarTics(nueva, 2));
    EXPECT_TRUE(EsTopmost(nueva));
    EXPECT_EQ(programa().TieneMover(nueva), std::optional<bool>(false));
    EXPECT_TRUE(programa().Vivo());
}

TEST_F(Opciones, LosDeslizadoresEnSusExtremosSeGuardanYLaPrincipalVuelveConEllos) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.sliPaso, nullptr);
    ASSERT_NE(c.sliOpacidad, nullptr);
    ASSERT_NE(c.cmdAceptar, nullptr);

    MoverDeslizador(c.sliOpacidad, 0);  // fully left: one fifth
    MoverDeslizador(c.sliPaso, 600);    // fully right
    EXPECT_EQ(PosicionDeslizador(c.sliOpacidad), 51);
    EXPECT_EQ(PosicionDeslizador(c.sliPaso), 600);
    ASSERT_FALSE(programa().LeerPreferencias().has_value());
    Pulsar(c.cmdAceptar);

    // The first Aceptar makes the file, in the system's code page.
    EXPECT_EQ(LineasPreferencias(),
              (std::vector<std::string>{kCabeceraSeccion, "Barrido=600", "Layer=51", "ShowPopUp=1", "Movible=0"}));
    EXPECT_NE(programa().LeerPreferencias().value_or("").find("\xF3"), std::string::npos)
        << "la ó de la sección no es el byte 0xF3";
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    EXPECT_EQ(Opacidad(nueva), std::optional<BYTE>(51));
    // It grew by steps of 600 twips: it ends within one such step of its height.
    EXPECT_LE(Alto(nueva), TamanoDisenadoPrincipal().cy + PasoEnPixeles(600));
}

TEST_F(Opciones, SeCargaDeLasPreferenciasYSeColocaEnLaEsquinaDeLaPrincipalPorDieciseis) {
    ASSERT_NO_FATAL_FAILURE(
        ArrancarAbierta(ArchivoPreferencias({"Barrido=350", "Layer=120", "ShowPopUp=0", "Movible=1"})));
    const RECT principal = Rectangulo(principal_);
    HWND opciones = Abrir(kOpciones, kTituloOpciones, false);
    ASSERT_NE(opciones, nullptr);

    const RECT r = Rectangulo(opciones);
    EXPECT_EQ(r.left, PorDieciseisEnPixeles(principal.left));
    EXPECT_EQ(r.top, PorDieciseisEnPixeles(principal.top));
    const SIZE cliente = TamanoCliente(opciones);
    EXPECT_EQ(cliente.cx, 291);  // 4365 twips
    EXPECT_EQ(cliente.cy, 253);  // 3795 twips

    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.sliPaso, nullptr);
    ASSERT_NE(c.cheSiempreEncima, nullptr);
    ASSERT_NE(c.cheMovible, nullptr);
    EXPECT_EQ(PosicionDeslizador(c.sliPaso), 350);
    EXPECT_EQ(PosicionDeslizador(c.sliOpacidad), 120);
    EXPECT_FALSE(Marcada(c.cheSiempreEncima));
    EXPECT_TRUE(Marcada(c.cheMovible));
    // The captions of the frames.
    EXPECT_NE(HijoConTexto(opciones, L"Button", L"Velocidad del barrido"), nullptr);
    EXPECT_NE(HijoConTexto(opciones, L"Button", L"Opacidad"), nullptr);
}

// Neither button is the default or the cancel button: Escape, Enter on a
// slider, arrows, Alt+letters and the Tab keys move sliders and the focus,
// and nothing closes the window or writes the settings file.
TEST_F(Opciones, LasTeclasDeNavegacionNoCierranLaVentanaNiGuardan) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.sliPaso, nullptr);
    ASSERT_NE(c.sliOpacidad, nullptr);
    ASSERT_TRUE(TraerAlFrente(opciones));
    ASSERT_TRUE(EsperarHasta([&] { return Foco(opciones) == c.sliPaso; })) << "sliBarrido no recibió el foco";

    for (const Pulsacion& p : kTeclasDeNavegacion) {
        SCOPED_TRACE(p.nombre);
        ASSERT_TRUE(TraerAlFrente(opciones)) << "la ventana de opciones ya no está";
        MoverDeslizador(c.sliPaso, 300);
        MoverDeslizador(c.sliOpacidad, 128);
        PulsarTecla(p.tecla, p.modificador);
        // Home after the key takes the focused slider to its start, which no
        // key of the table does: once it is there, the key has been handled.
        PulsarTecla(VK_HOME);
        ASSERT_TRUE(EsperarHasta([&] {
            return !::IsWindow(opciones) || PosicionDeslizador(c.sliPaso) == 50 ||
                   PosicionDeslizador(c.sliOpacidad) == 51;
        })) << "Inicio no llegó a ningún deslizador";
        ASSERT_TRUE(::IsWindow(opciones)) << "la ventana de opciones se cerró";
    }
    EXPECT_TRUE(programa().Vivo());
    EXPECT_FALSE(programa().LeerPreferencias().has_value()) << "una tecla guardó las opciones";
    EXPECT_EQ(programa().Principal(), nullptr) << "la ventana principal volvió sin que se cerraran las opciones";
}

// A save that fails (a plain file stands where the settings folder goes): the
// user is told which file could not be written and what the program goes on
// with, and the main window comes back with it.
TEST_F(Opciones, UnGuardadoFallidoSeAvisaYLaPrincipalVuelveConLosPredeterminados) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const std::wstring archivo = programa().RutaPreferencias();
    ASSERT_TRUE(EscribirBytes(archivo.substr(0, archivo.rfind(L'\\')), "no es una carpeta"));
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    MoverDeslizador(c.sliOpacidad, 100);
    // Posted: the click returns only once the warning is closed.
    ::PostMessageW(c.cmdAceptar, BM_CLICK, 0, 0);
    const std::wstring aviso = TextoDelAviso(programa().EsperarVentana(L"Kalvenor"));
    EXPECT_NE(aviso.find(L"No se pudieron guardar las opciones"), std::wstring::npos) << "sin aviso: " << aviso;
    EXPECT_NE(aviso.find(archivo), std::wstring::npos) << aviso;
    EXPECT_NE(aviso.find(L"Kalvenor seguirá con los valores predeterminados."), std::wstring::npos) << aviso;
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    EXPECT_EQ(Opacidad(nueva), std::optional<BYTE>(255));
}

// The end of the session with the options window open: the program ends at
// once and, as with Cancelar, stores nothing.
TEST_F(Opciones, ElFinDeLaSesionTerminaElProgramaSinGuardar) {
    const std::string archivo = ArchivoPreferencias({"Layer=200"});
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(archivo));
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    MoverDeslizador(ControlesDeOpciones(opciones).sliOpacidad, 100);
    EXPECT_TRUE(FinDeSesion(opciones, ENDSESSION_LOGOFF));
    EXPECT_EQ(programa().EsperarFin(), std::optional<DWORD>(0));
    EXPECT_EQ(programa().LeerPreferencias(), archivo);
}

// An edited file may hold any non-zero flag; the program treats it as yes, so
// the check boxes show it checked and accepting untouched keeps it so.
TEST_F(Opciones, UnaCasillaConMenosUnoDelArchivoSeMuestraMarcadaYAceptarLaGuarda) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(ArchivoPreferencias({"ShowPopUp=-1", "Movible=-1"})));
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.cmdAceptar, nullptr);
    EXPECT_TRUE(Marcada(c.cheSiempreEncima));
    EXPECT_TRUE(Marcada(c.cheMovible));

    Pulsar(c.cmdAceptar);
    EXPECT_EQ(LineasPreferencias(),
              (std::vector<std::string>{kCabeceraSeccion, "ShowPopUp=1", "Movible=1", "Barrido=200", "Layer=255"}));
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_TRUE(programa().EsperarTics(nueva, 2));
    EXPECT_TRUE(EsTopmost(nueva));
    EXPECT_EQ(programa().TieneMover(nueva), std::optional<bool>(true));
}

// The typical round trip: Opciones, change the opacity, Aceptar, and the main
// window returns with the new opacity (scripts/desktop-test.sh runs it under a
// window manager).
TEST_F(Opciones, CambiarLaOpacidadYAceptarTraeLaPrincipalConLaNuevaOpacidad) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    EXPECT_EQ(Opacidad(principal_), std::optional<BYTE>(255));
    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    ASSERT_NE(c.sliOpacidad, nullptr);
    ASSERT_NE(c.cmdAceptar, nullptr);

    MoverDeslizador(c.sliOpacidad, 180);
    Pulsar(c.cmdAceptar);
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    EXPECT_EQ(Opacidad(nueva), std::optional<BYTE>(180));
    EXPECT_EQ(LineasPreferencias(),
              (std::vector<std::string>{kCabeceraSeccion, "Barrido=200", "Layer=180", "ShowPopUp=1", "Movible=0"}));
}

// Opciones by the keyboard (F10, Right, Down, Enter) after typing.
TEST_F(Opciones, ElTextoEscritoAntesDeOpcionesYaNoEstaCuandoVuelveLaPrincipal) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    const ControlesPrincipal antes = ControlesDePrincipal(principal_);
    ASSERT_TRUE(TraerAlFrente(principal_));
    ASSERT_TRUE(EsperarHasta([&] { return Foco(principal_) == antes.txtNormal; }));
    Escribir(L"Hola");
    ASSERT_TRUE(EsperarHasta([&] { return Texto(antes.txtNormal) == L"Hola"; })) << "no se pudo escribir en Text1";
    Pulsar(antes.cmdTraducir);
    ASSERT_EQ(Texto(antes.txtClave), L"H078");

    ASSERT_TRUE(programa().MenuPorTeclado(principal_, kMenuHerramientas));
    HWND opciones = programa().EsperarVentana(kTituloOpciones);
    ASSERT_NE(opciones, nullptr) << "F10, Derecha, Abajo, Intro no abrió Opciones";
    ASSERT_TRUE(EsperarQueDesaparezca(principal_));
    Pulsar(ControlesDeOpciones(opciones).cmdAceptar);

    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    const ControlesPrincipal despues = ControlesDePrincipal(nueva);
    EXPECT_EQ(Texto(despues.txtNormal), L"");
    EXPECT_EQ(Texto(despues.txtClave), L"");
}

// The about window by the keyboard (F10, Right, Right, Down, Enter).
// Labels and check boxes are drawn in the face and size of their design (the
// face found, not a substitute), and every caption fits on its one line.
class Fuentes : public Recarga {
protected:
    static int Pixeles(int twips) { return ::MulDiv(twips, PuntosPorPulgada(), 1440); }

    // reserva: pixels of the control that the caption cannot use (a check
    // box's box). altoTwips 0: the system's font, whatever its size.
    void Comprobar(HWND control, int altoTwips, int peso, int reserva = 0) {
        ASSERT_NE(control, nullptr);
        SCOPED_TRACE(testing::PrintToString(Texto(control)));
        const std::optional<Programa::Fuente> f = programa().FuenteDe(control);
        ASSERT_TRUE(f.has_value()) << "la sonda no leyó la fuente";
        if (altoTwips != 0) {
            EXPECT_EQ(f->alto, Pixeles(altoTwips));
        }
        EXPECT_EQ(f->peso, peso);
        EXPECT_TRUE(f->caraEncontrada) << "se dibuja con una fuente sustituta";
        EXPECT_LE(f->anchoTexto + reserva, f->anchoCliente)
            << "el texto mide " << f->anchoTexto << " px y caben " << f->anchoCliente - reserva;
    }
};

TEST_F(Fuentes, EtiquetasYCasillasConSuFuenteDisenadaYElTextoEntero) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    for (const wchar_t* etiqueta : {L"Ingrese el texto Normal a traducir", L"Ingrese el texto Zorbi a traducir"}) {
        // "MS Sans Serif" 12 pt bold: 240 twips.
        Comprobar(HijoConTexto(principal_, L"Static", etiqueta), 240, FW_BOLD);
    }

    HWND opciones = Abrir(kOpciones, kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    const ControlesOpciones c = ControlesDeOpciones(opciones);
    // "MS Sans Serif" 9.75 pt: 195 twips; the box and its gap take the
    // width of a menu check mark and a little more.
    const int casilla = ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
    Comprobar(c.cheSiempreEncima, 195, FW_NORMAL, casilla);
    Comprobar(c.cheMovible, 195, FW_NORMAL, casilla);
    Pulsar(c.cmdCancelar);
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    principal_ = nueva;

    HWND acerca = Abrir(kAcercaDe, kTituloAcercaDe, false);
    ASSERT_NE(acerca, nullptr);
    int etiquetas = 0;
    for (HWND etiqueta : Hijos(acerca, L"Static")) {
        if (Texto(etiqueta).empty()) continue;  // the picture
        Comprobar(etiqueta, 0, FW_NORMAL);
        ++etiquetas;
    }
    EXPECT_EQ(etiquetas, 4);
}

TEST_F(AcercaDe, SeColocaPorDieciseisSeCierraSolaYLaPrincipalVuelveVacia) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    PonerTexto(ControlesDePrincipal(principal_).txtNormal, L"Camino");
    const RECT principal = Rectangulo(principal_);

    ASSERT_TRUE(programa().MenuPorTeclado(principal_, kMenuAyuda));
    HWND acerca = programa().EsperarVentana(kTituloAcercaDe);
    ASSERT_NE(acerca, nullptr) << "F10, Derecha, Derecha, Abajo, Intro no abrió Acerca de...";
    const RECT r = Rectangulo(acerca);
    EXPECT_EQ(r.left, PorDieciseisEnPixeles(principal.left));
    EXPECT_EQ(r.top, PorDieciseisEnPixeles(principal.top));
    const SIZE cliente = TamanoCliente(acerca);
    EXPECT_EQ(cliente.cx, 312);  // 4680 twips
    EXPECT_EQ(cliente.cy, 93);   // 1395 twips
    EXPECT_TRUE(::GetWindowLongW(acerca, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // Its picture shows: a photograph has many colours, an empty box one.
    HWND imagen = nullptr;
    for (HWND estatico : Hijos(acerca, L"Static"))
        if (!imagen && Texto(estatico).empty()) imagen = estatico;
    std::set<COLORREF> colores;
    EsperarHasta([&] {
        if (!::IsWindow(imagen)) return true;
        colores.clear();
        for (int y = 4; y < 70; y += 6)
            for (int x = 4; x < 74; x += 6) colores.insert(ColorEn(imagen, {x, y}));
        return colores.size() > 20;
    });
    EXPECT_GT(colores.size(), 20u) << "la imagen no se ve";

    EXPECT_TRUE(EsperarQueDesaparezca(principal_)) << "la principal no se barrió hasta cerrarse";
    // It closes itself about four seconds after it opened.
    EXPECT_TRUE(EsperarQueDesaparezca(acerca)) << "Acerca de... no se cerró sola";
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    const ControlesPrincipal c = ControlesDePrincipal(nueva);
    EXPECT_EQ(Texto(c.txtNormal), L"");
    EXPECT_EQ(Texto(c.txtClave), L"");
}

TEST_F(AcercaDe, CerrarlaAntesDeTiempoTraeLaPrincipalEnSeguidaYUnaSolaVez) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());
    HWND acerca = Abrir(kAcercaDe, kTituloAcercaDe);
    ASSERT_NE(acerca, nullptr);
    // No later than its load, so its four-second timer is due by this + 4 s.
    const auto abierta = Chrono::now();
    ASSERT_FALSE(::IsWindow(principal_));

    ::PostMessageW(acerca, WM_CLOSE, 0, 0);
    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr);
    EXPECT_LT(Chrono::now() - abierta, std::chrono::milliseconds(3500))
        << "la principal no volvió antes de la hora del temporizador de Acerca de...";
    EXPECT_FALSE(::IsWindow(acerca));
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));

    // Past the time the about window's timer would have ticked, the main
    // window is still the same one: it came back once.
    const auto pasadoElTemporizador = abierta + std::chrono::milliseconds(5500) - Chrono::now();
    EXPECT_FALSE(EsperarHasta([&] { return programa().Principal() != nueva || !::IsWindow(nueva); },
                              std::chrono::duration_cast<std::chrono::milliseconds>(pasadoElTemporizador)))
        << "la ventana principal se cargó otra vez";
    EXPECT_EQ(programa().Ventanas(kPrefijoTituloPrincipal, true).size(), 1u);
    EXPECT_TRUE(programa().Vivo());
}

// The quick-close race: the other window closes while the main window is still
// sweeping shut (a slow sweep, 50 twips a tick, makes sure of it). The main
// window must come back, loaded anew, and the program must not end.
struct CasoCierreRapido {
    const char* nombre;
    int orden;  // the menu command (Conductor.h)
    const wchar_t* titulo;
    bool conCancelar;  // the options window's Cancelar; otherwise WM_CLOSE
};

void PrintTo(const CasoCierreRapido& caso, std::ostream* os) { *os << caso.nombre; }

class CierreRapido : public Recarga, public testing::WithParamInterface<CasoCierreRapido> {};

TEST_P(CierreRapido, LaPrincipalVuelveCargadaDeNuevo) {
    const CasoCierreRapido& caso = GetParam();
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(ArchivoPreferencias({"Barrido=50"})));
    PonerTexto(ControlesDePrincipal(principal_).txtNormal, L"Camino");
    const int abierta = Alto(principal_);

    HWND otra = Abrir(caso.orden, caso.titulo, false);
    ASSERT_NE(otra, nullptr);
    const std::optional<RECT> cerrandose = RectanguloSiExiste(principal_);
    ASSERT_TRUE(cerrandose.has_value()) << "la principal ya se había cerrado: la carrera no se dio";
    const HWND cancelar = caso.conCancelar ? ControlesDeOpciones(otra).cmdCancelar : nullptr;
    if (caso.conCancelar) {
        ASSERT_NE(cancelar, nullptr);
        ::PostMessageW(cancelar, BM_CLICK, 0, 0);
    } else {
        ::PostMessageW(otra, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(EsperarQueDesaparezca(otra));

    HWND nueva = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(nueva, nullptr) << "la principal no volvió";
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(nueva));
    EXPECT_FALSE(::IsWindow(principal_));
    EXPECT_EQ(Texto(ControlesDePrincipal(nueva).txtNormal), L"") << "no se cargó de nuevo";
    EXPECT_GE(Alto(nueva), abierta);
    // It stays: some ticks later it is the one main window, and the program runs.
    ASSERT_TRUE(programa().EsperarTics(nueva, 3));
    EXPECT_TRUE(::IsWindow(nueva));
    EXPECT_EQ(programa().Ventanas(kPrefijoTituloPrincipal, true).size(), 1u);
    EXPECT_TRUE(programa().Vivo());
}

INSTANTIATE_TEST_SUITE_P(MientrasLaPrincipalSeCierra, CierreRapido,
                         testing::Values(CasoCierreRapido{"OpcionesConCancelar", kOpciones, L"Opciones", true},
                                         CasoCierreRapido{"OpcionesConWmClose", kOpciones, L"Opciones", false},
                                         CasoCierreRapido{"AcercaDeConWmClose", kAcercaDe, L"Acerca de...", false}),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace kalvenor::e2e
