// Kalvenor: translates text between plain writing and its digit code. The main
// window is the start-up window; the program ends when no window is loaded.
// A second start shows the running program's window again and ends, or runs
// itself when the running program ended meanwhile.

#include <windows.h>

#include "forms/win32/Application.h"
#include "forms/win32/Screen.h"
#include "forms/win32/SingleInstance.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarridoWin32.h"
#include "windows/VentanaPrincipal.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kalvenor::forms::SingleInstance instance(L"Kalvenor");
    if (!instance.IsFirst() && instance.HandOverToRunningCopy()) return 0;
    static kalvenor::PlataformaBarridoWin32 plataforma;
    kalvenor::UsarPlataformaBarrido(plataforma, kalvenor::forms::TheScreen());
    return kalvenor::forms::RunApplication(kalvenor::Form1);
}
