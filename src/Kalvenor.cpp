// Kalvenor: translates text between plain writing and its digit code. The main
// window is the start-up window; the program ends when no window is loaded.

#include <windows.h>

#include "forms/win32/Application.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarridoWin32.h"
#include "windows/VentanaPrincipal.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kalvenor::forms::Application application;
    static kalvenor::PlataformaBarridoWin32 plataforma;
    kalvenor::UsarPlataformaBarrido(plataforma, kalvenor::forms::TheScreen());
    return application.Run(kalvenor::Form1);
}
