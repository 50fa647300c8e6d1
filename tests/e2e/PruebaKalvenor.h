#pragma once
// The fixture of the end-to-end tests: one run of the program per test, with
// its own settings folder, ended and cleaned up when the test ends.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>

#include "Conductor.h"
#include "forms/core/Units.h"
#include "forms/win32/Handles.h"

namespace kalvenor::e2e {

// A key pressed with real input, with the modifier held around it (0: none).
struct Pulsacion {
    const char* nombre;
    WORD tecla;
    WORD modificador;
};

// Every key that dialog navigation reacts to, for tests that press them all
// in a window: none may close it, lose text or press a button. Alt+letters
// come before an Escape, which closes a menu they might have opened; the Tab
// keys go forward, back and forward again between the first two controls.
inline const Pulsacion kTeclasDeNavegacion[] = {
    {"Escape", VK_ESCAPE, 0},
    {"Enter", VK_RETURN, 0},
    {"Izquierda", VK_LEFT, 0},
    {"Derecha", VK_RIGHT, 0},
    {"Arriba", VK_UP, 0},
    {"Abajo", VK_DOWN, 0},
    {"Alt+A", 'A', VK_MENU},
    {"Alt+C", 'C', VK_MENU},
    {"Alt+H", 'H', VK_MENU},
    {"Escape", VK_ESCAPE, 0},
    {"Ctrl+Tab", VK_TAB, VK_CONTROL},
    {"Mayús+Tab", VK_TAB, VK_SHIFT},
    {"Tab", VK_TAB, 0},
    {"Escape", VK_ESCAPE, 0},
    {"Enter", VK_RETURN, 0},
};

class PruebaKalvenor : public ::testing::Test {
protected:
    void SetUp() override {
        // The program reads a settings file in the Windows directory until a
        // per-user one exists; one left there by something else would change
        // what every test here sees as the defaults.
        wchar_t windows[MAX_PATH] = {};
        ::GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring heredado = std::wstring(windows) + L"\\Kalvenor";
        ASSERT_EQ(::GetFileAttributesW(heredado.c_str()), INVALID_FILE_ATTRIBUTES)
            << "hay un archivo de configuración en la carpeta de Windows del prefijo de Wine";
    }

    // Starts the program, with the settings file's bytes when given, and
    // waits for its main window to appear.
    void Arrancar(std::optional<std::string> archivoPreferencias = std::nullopt) {
        programa_.emplace(std::move(archivoPreferencias));
        ASSERT_TRUE(programa_->Iniciar()) << programa_->Error();
        principal_ = programa_->EsperarPrincipal();
        ASSERT_NE(principal_, nullptr) << "no apareció la ventana principal";
    }

    // Starts the program and waits for the opening sweep to end.
    void ArrancarAbierta(std::optional<std::string> archivoPreferencias = std::nullopt) {
        ASSERT_NO_FATAL_FAILURE(Arrancar(std::move(archivoPreferencias)));
        ASSERT_NO_FATAL_FAILURE(EsperarAbierta(principal_));
    }

    // Starts the program, waits for it to open and puts the keyboard focus in
    // Text1, so that real keys reach it.
    void ArrancarConFocoEnText1(ControlesPrincipal& c, std::optional<std::string> archivoPreferencias = std::nullopt) {
        ASSERT_NO_FATAL_FAILURE(ArrancarAbierta(std::move(archivoPreferencias)));
        c = ControlesDePrincipal(principal_);
        ASSERT_NE(c.txtNormal, nullptr);
        ASSERT_NE(c.txtClave, nullptr);
        ASSERT_TRUE(TraerAlFrente(principal_));
        ASSERT_TRUE(EsperarHasta([&] { return Foco(principal_) == c.txtNormal; })) << "la caja del texto normal no recibió el foco";
    }

    void EsperarAbierta(HWND principal) {
        ASSERT_TRUE(programa_->EsperarAbierta(principal)) << "la ventana principal no terminó de abrirse: alto "
                                                          << Alto(principal) << " de " << TamanoDisenadoPrincipal().cy;
    }

    // Waits for a new load of the main window (another handle than `anterior`).
    HWND EsperarNuevaPrincipal(HWND anterior) {
        HWND nueva = programa_->EsperarPrincipal(anterior);
        EXPECT_NE(nueva, nullptr) << "la ventana principal no volvió";
        return nueva;
    }

    // The text of a message box, which is then closed with its OK button;
    // empty when there is no box.
    static std::wstring TextoDelAviso(HWND aviso) {
        if (!aviso) return {};
        std::wstring texto;
        for (HWND estatico : Hijos(aviso, L"Static")) texto += Texto(estatico);
        ::PostMessageW(aviso, WM_COMMAND, IDOK, 0);
        return texto;
    }

    // Waits for a window to be gone (destroyed).
    static bool EsperarQueDesaparezca(HWND ventana) {
        return EsperarHasta([&] { return !::IsWindow(ventana); });
    }

    Programa& programa() { return *programa_; }

    std::optional<Programa> programa_;
    HWND principal_ = nullptr;
};

// Rectangles in pixels: whether one lies whole inside another, the screen's,
// and how a failure message shows one.
inline bool Dentro(const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}
inline RECT RectanguloPantalla() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }
inline std::string Describir(const RECT& r) {
    std::ostringstream texto;
    texto << "(" << r.left << ", " << r.top << " - " << r.right << ", " << r.bottom << ")";
    return texto.str();
}

// The colour on the screen at a point of a window's client area.
inline COLORREF ColorEn(HWND ventana, POINT punto) {
    ::ClientToScreen(ventana, &punto);
    return ::GetPixel(forms::WindowDc(nullptr).get(), punto.x, punto.y);
}

// A pixel coordinate of the main window multiplied by a fixed 16 and taken as
// twips, back in pixels at the screen's resolution (15 twips per pixel at 96
// dpi, so 16/15 of it, rounded): where the options and about windows open.
inline int PorDieciseisEnPixeles(int pixeles) {
    const double twips = static_cast<double>(pixeles) * forms::kTwipsPerPixelBesideMainWindow;
    return static_cast<int>(std::lround(twips * PuntosPorPulgada() / forms::kTwipsPerInch));
}

}  // namespace kalvenor::e2e
