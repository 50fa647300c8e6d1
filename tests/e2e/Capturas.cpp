// Not a test: scripts/screenshots.sh runs this (it is disabled otherwise) to
// put each of the program's windows on the screen for docs/*.png.
//
// Hand-over with the script, through the folder named by the environment
// variable KALVENOR_CAPTURAS: for each picture NAME the driver writes
// NAME.listo holding the window's rectangle "x y width height" in screen
// pixels, then waits for the script to take the picture and create NAME.hecho.

#include <cstdlib>
#include <string>

#include "PruebaKalvenor.h"

namespace kalvenor::e2e {
namespace {

class DISABLED_Capturas : public PruebaKalvenor {
protected:
    void SetUp() override {
        const char* carpeta = std::getenv("KALVENOR_CAPTURAS");
        if (!carpeta || !*carpeta) GTEST_SKIP() << "KALVENOR_CAPTURAS no está definida";
        carpeta_ = RutaWindows(carpeta);
        PruebaKalvenor::SetUp();
    }

    // Lets the program paint, then hands the window's rectangle to the script
    // and waits for the picture.
    void Fotografiar(HWND ventana, const std::wstring& nombre, std::chrono::milliseconds espera = kEsperaLarga) {
        // A question to the probe comes back once the program has handled the
        // messages before it; more time lets it paint (under Wine the
        // caption's close button comes last, well after the rest).
        programa().Consultar(ventana, Consulta::TicsTimer1);
        ::Sleep(1500);
        const RECT r = Rectangulo(ventana);
        const std::string rectangulo = std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                       std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + "\n";
        const std::wstring listo = carpeta_ + L"\\" + nombre + L".listo";
        ASSERT_TRUE(EscribirBytes(listo + L".tmp", rectangulo));
        ASSERT_TRUE(::MoveFileExW((listo + L".tmp").c_str(), listo.c_str(), MOVEFILE_REPLACE_EXISTING));
        const std::wstring hecho = carpeta_ + L"\\" + nombre + L".hecho";
        ASSERT_TRUE(
            EsperarHasta([&] { return ::GetFileAttributesW(hecho.c_str()) != INVALID_FILE_ATTRIBUTES; }, espera))
            << "el guion no tomó la captura";
    }

    std::wstring carpeta_;
};

TEST_F(DISABLED_Capturas, VentanasDelPrograma) {
    ASSERT_NO_FATAL_FAILURE(ArrancarAbierta());

    // The main window with a text and its translation.
    const ControlesPrincipal c = ControlesDePrincipal(principal_);
    PonerTexto(c.txtNormal, L"Hola, Ñandú.\r\nCamino al mercado, compré gallos y limones.");
    Pulsar(c.cmdTraducir);
    ASSERT_TRUE(TraerAlFrente(principal_));
    // The focus back in the plain-text box, as after typing there.
    Clic(c.txtNormal);
    EXPECT_TRUE(EsperarHasta([&] { return Foco(principal_) == c.txtNormal; }));
    ASSERT_TRUE(programa().EsperarTics(principal_, 2));
    ASSERT_NO_FATAL_FAILURE(Fotografiar(principal_, L"main-window"));

    // The options window, once the main window has swept shut.
    programa().Menu(principal_, kOpciones);
    HWND opciones = programa().EsperarVentana(kTituloOpciones);
    ASSERT_NE(opciones, nullptr);
    ASSERT_TRUE(EsperarQueDesaparezca(principal_));
    ASSERT_NO_FATAL_FAILURE(Fotografiar(opciones, L"options-window"));
    Pulsar(ControlesDeOpciones(opciones).cmdCancelar);
    principal_ = EsperarNuevaPrincipal(principal_);
    ASSERT_NE(principal_, nullptr);
    ASSERT_NO_FATAL_FAILURE(EsperarAbierta(principal_));

    // The about window, before it closes itself.
    programa().Menu(principal_, kAcercaDe);
    HWND acerca = programa().EsperarVentana(kTituloAcercaDe);
    ASSERT_NE(acerca, nullptr);
    ASSERT_TRUE(EsperarQueDesaparezca(principal_));
    ASSERT_NO_FATAL_FAILURE(Fotografiar(acerca, L"about-window", std::chrono::milliseconds(2500)));
    EXPECT_TRUE(::IsWindow(acerca)) << "Acerca de... se cerró antes de la captura";
}

}  // namespace
}  // namespace kalvenor::e2e
