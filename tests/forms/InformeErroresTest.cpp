// The one reporting path: an error in any handler is shown and ends the
// program, and no C++ exception crosses the platform.

#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <string>

#include "Bombeo.h"
#include "forms/win32/Application.h"
#include "forms/win32/Controls.h"
#include "forms/core/RuntimeError.h"
#include "forms/win32/Form.h"
#include "forms/win32/ErrorReport.h"

namespace kalvenor::forms {
namespace {

class InformeErroresTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseErrorPresenter({[this](const std::u16string& m) { mensajes.push_back(m); },
                           [this](int codigo) { codigos.push_back(codigo); }});
    }
    void TearDown() override { UseErrorPresenter(DefaultErrorPresenter()); }

    std::vector<std::u16string> mensajes;
    std::vector<int> codigos;
};

// The text of the report's box, read from inside its own message loop, which
// then closes it. A thread timer has no context: hence the static.
std::wstring informeVisto;
void CALLBACK LeerYCerrarInforme(HWND, UINT, UINT_PTR, DWORD) {
    HWND caja = ::FindWindowW(L"#32770", L"Kalvenor");
    if (!caja) return;
    wchar_t texto[256] = {};
    ::GetDlgItemTextW(caja, 0xFFFF, texto, 256);  // the message's static control
    informeVisto = texto;
    ::PostMessageW(caja, WM_COMMAND, IDOK, 0);
}

TEST(InformeErroresPredeterminado, ShowsTheMessageInABoxTitledWithTheProgramsName) {
    informeVisto.clear();
    const UINT_PTR reloj = ::SetTimer(nullptr, 0, 50, &LeerYCerrarInforme);
    DefaultErrorPresenter().show(
        u"Se ha producido el error '6' en tiempo de ejecución:\n\nDesbordamiento");
    ::KillTimer(nullptr, reloj);
    EXPECT_EQ(informeVisto, L"Se ha producido el error '6' en tiempo de ejecución:\n\nDesbordamiento");
}

class FormaQueFalla : public Form {
public:
    FormaQueFalla()
        : Form(FormDesign{.caption = L"Falla", .clientWidth = 3000, .clientHeight = 1500}),
          Boton(*this, {.caption = L"Falla", .bounds = {90, 90, 1500, 420}}),
          Reloj(*this, {.interval = 20}) {}
    CommandButton Boton;
    Timer Reloj;
};

TEST_F(InformeErroresTest, AnErrorInAHandlerIsReportedInSpanishAndEndsTheProgram) {
    FormaQueFalla forma;
    forma.Boton.Click = [] { throw Overflow(); };
    forma.Show();
    ::SendMessageW(forma.Boton.hWnd(), BM_CLICK, 0, 0);  // returns: nothing unwinds through user32
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0], u"Se ha producido el error '6' en tiempo de ejecución:\n\nDesbordamiento");
    EXPECT_EQ(codigos, std::vector<int>{6});
    forma.Unload();
    pruebas::SeSolicitoSalir();
}

TEST_F(InformeErroresTest, ErrorsOfEveryKindAndFromTimersTakeTheSamePath) {
    FormaQueFalla forma;
    int veces = 0;
    forma.Reloj.Tick = [&] {
        ++veces;
        if (veces == 1) throw std::bad_alloc();
        if (veces == 2) throw TypeMismatch();
        if (veces == 3) throw 42;
    };
    forma.Show();
    ASSERT_TRUE(pruebas::BombearHasta([&] { return mensajes.size() >= 3; }));
    forma.Unload();
    pruebas::SeSolicitoSalir();
    EXPECT_EQ(mensajes[0], u"Se ha producido el error '7' en tiempo de ejecución:\n\nMemoria insuficiente");
    EXPECT_EQ(mensajes[1], u"Se ha producido el error '13' en tiempo de ejecución:\n\nNo coinciden los tipos");
    EXPECT_EQ(mensajes[2], u"Se ha producido el error '51' en tiempo de ejecución:\n\nError interno");
    EXPECT_EQ(codigos, (std::vector<int>{7, 13, 51}));
}

TEST_F(InformeErroresTest, ErrorsWhileTheReportIsShownOpenNoSecondReport) {
    FormaQueFalla forma;
    int tics = 0;
    forma.Reloj.Tick = [&] {
        ++tics;
        throw Overflow();
    };
    // The report's box runs a message loop of its own until the failing timer
    // has ticked three more times.
    int ticsDuranteElInforme = 0;
    UseErrorPresenter({[&](const std::u16string& m) {
                           mensajes.push_back(m);
                           const int antes = tics;
                           pruebas::BombearHasta([&] { return tics >= antes + 3; });
                           ticsDuranteElInforme = tics - antes;
                       },
                       [&](int codigo) { codigos.push_back(codigo); }});
    forma.Show();
    ASSERT_TRUE(pruebas::BombearHasta([&] { return !codigos.empty(); }));
    forma.Unload();
    pruebas::SeSolicitoSalir();
    EXPECT_GE(ticsDuranteElInforme, 3);
    EXPECT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(codigos, std::vector<int>{6}) << "only the report that was shown ends the program";
}

}  // namespace
}  // namespace kalvenor::forms
