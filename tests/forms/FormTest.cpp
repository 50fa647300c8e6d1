// Forms against the real user32: loading from the design, unloading with the
// timers, and the events the program's windows rely on.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "Bombeo.h"
#include "forms/core/RuntimeError.h"
#include "forms/win32/Application.h"
#include "forms/win32/Screen.h"
#include "forms/win32/Controls.h"
#include "forms/win32/Form.h"
#include "forms/win32/SingleInstance.h"

namespace kalvenor::forms {
namespace {

using namespace std::chrono_literals;
using pruebas::BombearDurante;
using pruebas::BombearHasta;

class FormaDePrueba : public Form {
public:
    explicit FormaDePrueba(std::wstring_view titulo)
        : Form(FormDesign{.caption = titulo,
                          .clientWidth = 3000,
                          .clientHeight = 1500,
                          .backColor = RGB(255, 128, 128),
                          .heightDownToZero = true,
                          .deactivate = DeactivateWhen::AnotherFormActivates}),
          Texto(*this, {.bounds = {90, 90, 2000, 600}, .tabIndex = 0, .multiLine = true}),
          Reloj(*this, {.interval = 30, .enabled = true}) {
        Reloj.Tick = [this] { ++ticks; };
    }

    TextBox Texto;
    Timer Reloj;

    int cargas = 0;
    int descargas = 0;
    int desactivaciones = 0;
    int redimensiones = 0;
    int ticks = 0;
    bool cancelarDescarga = false;
    bool restaurarAlRedimensionar = false;

private:
    void Form_Load() override { ++cargas; }
    void Form_Unload(std::int16_t& Cancel) override {
        ++descargas;
        if (cancelarDescarga) Cancel = -1;
    }
    void Form_Deactivate() override { ++desactivaciones; }
    void Form_Resize() override {
        ++redimensiones;
        if (restaurarAlRedimensionar) RestoreNormalState();
    }
};

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        primera.cancelarDescarga = segunda.cancelarDescarga = false;
        primera.Unload();
        segunda.Unload();
        pruebas::SeSolicitoSalir();
    }

    FormaDePrueba primera{L"Primera"};
    FormaDePrueba segunda{L"Segunda"};
};

TEST_F(FormTest, ShowLoadsOnceAndBringsALoadedFormForward) {
    EXPECT_FALSE(primera.IsLoaded());
    primera.Show();
    ASSERT_TRUE(primera.IsLoaded());
    EXPECT_TRUE(::IsWindowVisible(primera.hWnd()));
    primera.Show();
    EXPECT_EQ(primera.cargas, 1);

    RECT cliente{};
    ::GetClientRect(primera.hWnd(), &cliente);
    EXPECT_EQ(cliente.right, PixelsX(3000));
    EXPECT_EQ(cliente.bottom, PixelsY(1500));
}

TEST_F(FormTest, EveryLoadStartsFromTheDesign) {
    primera.Show();
    const float alturaDisenada = primera.Height();
    primera.Texto.SetText(L"texto escrito antes");
    primera.SetHeight(600);
    primera.Unload();
    EXPECT_FALSE(primera.IsLoaded());

    primera.Show();
    EXPECT_EQ(primera.cargas, 2);
    EXPECT_EQ(primera.Texto.Text(), L"");
    EXPECT_FLOAT_EQ(primera.Height(), alturaDisenada);
}

TEST_F(FormTest, UnloadRunsTheEventDestroysTheWindowAndStopsItsTimers) {
    primera.Show();
    ASSERT_TRUE(BombearHasta([&] { return primera.ticks >= 2; }));
    HWND ventana = primera.hWnd();
    static int ticksDePlataforma = 0;
    ticksDePlataforma = 0;
    ::SetTimer(ventana, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { ++ticksDePlataforma; });

    primera.Unload();
    EXPECT_EQ(primera.descargas, 1);
    EXPECT_FALSE(::IsWindow(ventana));
    const int ticks = primera.ticks;
    const int ticksPlataforma = ticksDePlataforma;
    BombearDurante(200ms);
    EXPECT_EQ(primera.ticks, ticks);
    EXPECT_EQ(ticksDePlataforma, ticksPlataforma);
}

// A Timer made on a loaded form starts at once, and when it goes it stops
// itself alone, not the sweep's timer on the same window.
TEST_F(FormTest, ATimerMadeAfterLoadTicksAndStopsOnlyItself) {
    primera.Show();
    HWND ventana = primera.hWnd();
    static int ticksDelBarrido = 0;
    ::SetTimer(ventana, IdOf(TimerId::Sweep), 1, [](HWND, UINT, UINT_PTR, DWORD) { ++ticksDelBarrido; });
    int ticks = 0;
    auto reloj = std::make_unique<Timer>(primera, Timer::Design{.interval = 10});
    reloj->Tick = [&] { ++ticks; };
    EXPECT_TRUE(BombearHasta([&] { return ticks > 0; }));
    reloj.reset();
    const int antes = ticksDelBarrido;
    EXPECT_TRUE(BombearHasta([&] { return ticksDelBarrido > antes; }));
}

// A control the platform refuses to create.
class ControlQueNoSeCrea : public Control {
public:
    explicit ControlQueNoSeCrea(Form& forma) : Control(forma, Bounds{90, 90, 600, 300}, 0) {}

private:
    void Create() override { throw WindowNotCreated(u"PRUEBA", ERROR_NOT_ENOUGH_MEMORY); }
};

TEST_F(FormTest, AFailedLoadLeavesNoHalfBuiltWindowBehind) {
    const std::wstring titulo = L"Forma a medio hacer";
    FormaDePrueba forma(titulo);
    ControlQueNoSeCrea roto(forma);
    EXPECT_THROW(forma.Show(), RuntimeError);
    EXPECT_FALSE(forma.IsLoaded());
    EXPECT_EQ(::FindWindowW(nullptr, titulo.c_str()), nullptr);
    EXPECT_EQ(forma.cargas, 0) << "Load ran on a window without its controls";
    pruebas::SeSolicitoSalir();
}

// Members that die before their loaded form (and then the form itself, still
// loaded) leave it: their windows and timers go with them and the form never
// reaches them again.
TEST_F(FormTest, ControlsTimersAndMenusThatDieLeaveTheirLoadedForm) {
    int eventos = 0;
    HWND ventana = nullptr;
    {
        FormaDePrueba forma(L"Forma que muere cargada");
        auto boton = std::make_unique<CommandButton>(
            forma, CommandButton::Design{.caption = L"Extra", .bounds = {90, 800, 1200, 400}, .tabIndex = 1});
        auto reloj = std::make_unique<Timer>(forma, Timer::Design{.interval = 10});
        auto menu = std::make_unique<Menu>(forma, Menu::Design{L"Extra"});
        boton->Click = reloj->Tick = menu->Click = [&] { ++eventos; };
        forma.Show();
        ventana = forma.hWnd();
        HWND ventanaBoton = boton->hWnd();
        const int idBoton = ::GetDlgCtrlID(ventanaBoton);
        const UINT idMenu = ::GetMenuItemID(::GetMenu(ventana), 0);
        ASSERT_TRUE(BombearHasta([&] { return eventos >= 1; }));

        boton.reset();
        reloj.reset();
        menu.reset();
        const int antes = eventos;
        EXPECT_FALSE(::IsWindow(ventanaBoton));
        ::SendMessageW(ventana, WM_COMMAND, MAKEWPARAM(idBoton, BN_CLICKED), reinterpret_cast<LPARAM>(ventanaBoton));
        ::SendMessageW(ventana, WM_COMMAND, MAKEWPARAM(idMenu, 0), 0);
        BombearDurante(100ms);
        EXPECT_EQ(eventos, antes);
    }
    EXPECT_FALSE(::IsWindow(ventana));
    EXPECT_EQ(Application::LoadedFormCount(), 0);
    pruebas::SeSolicitoSalir();
}

TEST_F(FormTest, CancellingTheUnloadKeepsTheForm) {
    primera.Show();
    primera.cancelarDescarga = true;
    primera.Unload();
    EXPECT_EQ(primera.descargas, 1);
    EXPECT_TRUE(primera.IsLoaded());
}

TEST_F(FormTest, CloseCommandUnloadsAndTheLastUnloadEndsTheLoop) {
    primera.Show();
    segunda.Show();
    ::SendMessageW(primera.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(primera.descargas, 1);
    EXPECT_FALSE(primera.IsLoaded());
    EXPECT_FALSE(pruebas::SeSolicitoSalir()) << "another form is still loaded";

    ::SendMessageW(segunda.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Application::LoadedFormCount(), 0);
    EXPECT_TRUE(pruebas::SeSolicitoSalir());
}

TEST_F(FormTest, DeactivateOnlyWhenAnotherFormOfTheProgramBecomesActive) {
    primera.Show();
    ASSERT_TRUE(BombearHasta([&] { return ::GetActiveWindow() == primera.hWnd(); }));

    // A window that is no form of the program takes the activation: no event.
    HWND ajena = ::CreateWindowExW(0, L"STATIC", L"ajena", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(ajena, nullptr);
    ::SetActiveWindow(ajena);
    BombearDurante(50ms);
    EXPECT_EQ(primera.desactivaciones, 0);
    ::DestroyWindow(ajena);

    primera.Show();
    segunda.Show();
    ASSERT_TRUE(BombearHasta([&] { return primera.desactivaciones == 1; }));
    EXPECT_EQ(segunda.desactivaciones, 0);
}

TEST_F(FormTest, ResizeIsRaisedBySizeChangesAndCanForceTheNormalState) {
    primera.Show();
    const int antes = primera.redimensiones;
    primera.SetHeight(900);
    EXPECT_GT(primera.redimensiones, antes);

    primera.restaurarAlRedimensionar = true;
    ::ShowWindow(primera.hWnd(), SW_MINIMIZE);
    EXPECT_TRUE(BombearHasta([&] { return !::IsIconic(primera.hWnd()); }));
    ::ShowWindow(primera.hWnd(), SW_MAXIMIZE);
    EXPECT_TRUE(BombearHasta([&] { return !::IsZoomed(primera.hWnd()); }));
}

TEST_F(FormTest, GeometryInTwipsAndTheHeightCanReachZero) {
    primera.Show();
    const float tppX = TheScreen().TwipsPerPixelX();
    const float tppY = TheScreen().TwipsPerPixelY();
    const float ancho = primera.Width();
    const float alto = primera.Height();

    primera.Move(100 * tppX, 50 * tppY);
    EXPECT_FLOAT_EQ(primera.Left(), 100 * tppX);
    EXPECT_FLOAT_EQ(primera.Top(), 50 * tppY);
    EXPECT_FLOAT_EQ(primera.Width(), ancho);
    EXPECT_FLOAT_EQ(primera.Height(), alto);

    primera.SetTop(80 * tppY);
    EXPECT_FLOAT_EQ(primera.Top(), 80 * tppY);
    EXPECT_FLOAT_EQ(primera.Left(), 100 * tppX);

    // A captioned window normally keeps a minimum height; the sweep needs none.
    primera.SetHeight(0);
    EXPECT_FLOAT_EQ(primera.Height(), 0.0f);
    primera.SetHeight(-300);
    EXPECT_FLOAT_EQ(primera.Height(), 0.0f);
}

// A running copy whose window takes no request: a second start still ends,
// within its deadline (the bound here is only generous), and ends itself.
TEST(SingleInstanceTest, ASecondStartEndsWhenTheRunningCopyDoesNotAnswer) {
    const std::wstring nombre = L"KalvenorPrueba." + std::to_wstring(::GetCurrentProcessId());
    std::atomic<bool> enMarcha{false}, responder{false};
    std::thread copia([&] {
        FormaDePrueba forma(L"Copia que no responde");
        SingleInstance primera(nombre);
        forma.Show();
        enMarcha = true;
        // Waiting on its queue, so not hung, but it takes no sent message.
        while (!responder) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        forma.Unload();
    });
    bool termino = false, seAcaba = false;
    if (BombearHasta([&] { return enMarcha.load(); })) {
        SingleInstance segunda(nombre);
        EXPECT_FALSE(segunda.IsFirst());
        auto entrega = std::async(std::launch::async, [&] { return segunda.HandOverToRunningCopy(); });
        termino = entrega.wait_for(60s) == std::future_status::ready;
        responder = true;  // a hand-over still waiting gets its answer now
        seAcaba = entrega.get();
    }
    responder = true;
    copia.join();
    ASSERT_TRUE(enMarcha) << "the running copy did not start";
    EXPECT_TRUE(termino) << "the second start waited on past its deadline";
    EXPECT_TRUE(seAcaba) << "the second start would run beside the running copy";
}

}  // namespace
}  // namespace kalvenor::forms
