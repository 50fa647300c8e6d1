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

namespace {

// Libraries loaded at run time, by the program or by the system for it, come
// from the system folder only: a DLL that lies beside the exe (in a Downloads
// folder anything may) is never loaded. Looked up rather than imported, so
// that a Windows 7 without update KB2533623 still starts the program.
void BibliotecasSoloDelSistema() {
    using Fijar = BOOL(WINAPI*)(DWORD);
    const auto fijar = reinterpret_cast<Fijar>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (fijar) fijar(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    BibliotecasSoloDelSistema();
    kalvenor::forms::SingleInstance instance(L"Kalvenor");
    if (!instance.IsFirst() && instance.HandOverToRunningCopy()) return 0;
    static kalvenor::PlataformaBarridoWin32 plataforma;
    kalvenor::UsarPlataformaBarrido(plataforma, kalvenor::forms::TheScreen());
    return kalvenor::forms::RunApplication(kalvenor::Form1);
}
