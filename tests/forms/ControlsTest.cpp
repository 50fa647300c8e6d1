// Controls against the real user32 and common controls.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Bombeo.h"
#include "forms/win32/Screen.h"
#include "forms/win32/Controls.h"
#include "forms/win32/Form.h"
#include "forms/win32/Picture.h"
#include "resources/Recursos.h"

namespace kalvenor::forms {
namespace {

const FontDesign kNegrita{.face = L"MS Sans Serif", .points = 12.0, .bold = true};

class FormaConControles : public Form {
public:
    FormaConControles()
        : Form(FormDesign{.caption = L"Controles", .clientWidth = 6000, .clientHeight = 4000}),
          Caja(*this, {.bounds = {90, 90, 3000, 900},
                       .tabIndex = 0,
                       .multiLine = true,
                       .scrollBars = ScrollBars::Both,
                       .backColor = RGB(192, 255, 255)}),
          Boton(*this, {.caption = L"Botón", .bounds = {3200, 90, 1500, 420}, .tabIndex = 1}),
          Etiqueta(*this, {.caption = L"Etiqueta",
                           .bounds = {90, 1100, 3000, 375},
                           .tabIndex = 2,
                           .font = &kNegrita,
                           .foreColor = RGB(0, 128, 128)}),
          Marco(*this, {.caption = L"Marco", .bounds = {150, 1500, 4000, 825}, .tabIndex = 3}),
          Deslizador(Marco, {.bounds = {135, 270, 3600, 375}, .tabIndex = 4, .min = 50, .max = 600}),
          Casilla(*this, {.caption = L"Casilla", .bounds = {90, 2500, 3000, 330}, .tabIndex = 5}),
          mnuArchivo(*this, {L"Archivo"}),
          mnuSalir(mnuArchivo, {L"Salir"}) {}

    TextBox Caja;
    CommandButton Boton;
    Label Etiqueta;
    Frame Marco;
    Slider Deslizador;
    CheckBox Casilla;
    Menu mnuArchivo;
    Menu mnuSalir;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { forma.Show(); }
    void TearDown() override {
        forma.Unload();
        pruebas::SeSolicitoSalir();
    }
    void Escribir(std::wstring_view texto) {
        for (wchar_t c : texto) ::SendMessageW(forma.Caja.hWnd(), WM_CHAR, c, 1);
    }

    FormaConControles forma;
};

TEST_F(ControlsTest, KeyPressSeesAnsiCodesAndCancelsOrReplacesKeys) {
    std::vector<std::int16_t> vistos;
    forma.Caja.KeyPress = [&](std::int16_t& KeyAscii) {
        vistos.push_back(KeyAscii);
        if (KeyAscii == 'x') KeyAscii = 0;
        if (KeyAscii == 'y') KeyAscii = 'Y';
    };
    Escribir(L"axbyñ");
    EXPECT_EQ(forma.Caja.Text(), L"abYñ");
    // Under the Western code page ñ is the key code 241.
    EXPECT_EQ(vistos, (std::vector<std::int16_t>{'a', 'x', 'b', 'y', 241}));
}

TEST_F(ControlsTest, TextBoxTakesLongTextsWhole) {
    const std::wstring largo(100000, L'a');
    forma.Caja.SetText(largo);
    EXPECT_EQ(forma.Caja.Text().size(), largo.size());
    // Typing past the edit control's default limit of 30000 characters works too.
    Escribir(L"b");
    EXPECT_EQ(forma.Caja.Text().size(), largo.size() + 1);
}

TEST_F(ControlsTest, ButtonAndMenuClicksReachTheirHandlers) {
    int botones = 0;
    int menus = 0;
    forma.Boton.Click = [&] { ++botones; };
    forma.mnuSalir.Click = [&] { ++menus; };

    ::SendMessageW(forma.Boton.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(botones, 1);

    HMENU barra = ::GetMenu(forma.hWnd());
    ASSERT_NE(barra, nullptr);
    ASSERT_EQ(::GetMenuItemCount(barra), 1);
    HMENU archivo = ::GetSubMenu(barra, 0);
    wchar_t texto[32]{};
    ::GetMenuStringW(archivo, 0, texto, 32, MF_BYPOSITION);
    EXPECT_STREQ(texto, L"Salir");
    ::SendMessageW(forma.hWnd(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(archivo, 0), 0), 0);
    EXPECT_EQ(menus, 1);
}

TEST_F(ControlsTest, SliderShowsTheNearestValueItHoldsAndACheckBoxAnyNonZeroChecked) {
    struct Caso {
        int pedido;
        int mostrado;
    };
    for (Caso caso : {Caso{200, 200}, Caso{5, 50}, Caso{900, 600}, Caso{600, 600}, Caso{-7, 50}}) {
        forma.Deslizador.SetValue(caso.pedido);
        EXPECT_EQ(forma.Deslizador.Value(), caso.mostrado) << caso.pedido;
    }
    for (Caso caso : {Caso{0, 0}, Caso{1, 1}, Caso{7, 1}, Caso{-1, 1}, Caso{-32768, 1}}) {
        forma.Casilla.SetValue(static_cast<std::int16_t>(caso.pedido));
        EXPECT_EQ(forma.Casilla.Value(), caso.mostrado) << caso.pedido;
    }
}

TEST_F(ControlsTest, ControlsInAFrameArePlacedRelativeToIt) {
    RECT cliente{};
    ::GetWindowRect(forma.Deslizador.hWnd(), &cliente);
    POINT esquina{cliente.left, cliente.top};
    ::ScreenToClient(forma.hWnd(), &esquina);
    EXPECT_EQ(esquina.x, PixelsX(150 + 135));
    EXPECT_EQ(esquina.y, PixelsY(1500 + 270));
}

TEST_F(ControlsTest, LabelsGetTheirDesignedFont) {
    HFONT fuente = reinterpret_cast<HFONT>(::SendMessageW(forma.Etiqueta.hWnd(), WM_GETFONT, 0, 0));
    ASSERT_NE(fuente, nullptr);
    LOGFONTW descripcion{};
    ::GetObjectW(fuente, sizeof(descripcion), &descripcion);
    EXPECT_STREQ(descripcion.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(descripcion.lfWeight, FW_BOLD);
    // Controls without a font of their own share one font object.
    EXPECT_EQ(::SendMessageW(forma.Caja.hWnd(), WM_GETFONT, 0, 0),
              ::SendMessageW(forma.Boton.hWnd(), WM_GETFONT, 0, 0));
}

TEST(PictureTest, TheStoredJpegDecodesAtItsOwnSize) {
    UniqueBitmap imagen = LoadJpegResource(IDR_IMAGEN_ACERCA);
    ASSERT_TRUE(imagen);
    BITMAP tamano{};
    ::GetObjectW(imagen.get(), sizeof(tamano), &tamano);
    EXPECT_EQ(tamano.bmWidth, 77);
    EXPECT_EQ(tamano.bmHeight, 72);
    EXPECT_FALSE(LoadJpegResource(4242)) << "a missing picture gives no bitmap";
}

}  // namespace
}  // namespace kalvenor::forms
