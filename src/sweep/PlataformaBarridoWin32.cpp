#include "sweep/PlataformaBarridoWin32.h"

#include <windows.h>

#include "forms/win32/ErrorReport.h"
#include "sweep/Barrido.h"

namespace kalvenor {

namespace {

// The sweep timer's callback: the tick of the sweep on the window it came
// for. A tick can only come from a live window (its timers die with it), but
// it checks, as every timer callback of the program does, before it runs
// PasoBarrido behind the error report.
VOID CALLBACK TickBarrido(HWND hwnd, UINT, UINT_PTR, DWORD) {
    if (!IsWindow(hwnd)) return;
    forms::GuardedCall([hwnd] { PasoBarrido(hwnd); });
}

}  // namespace

forms::Handle PlataformaBarridoWin32::FindWindowA(const char* clase, const char* titulo) {
    return ::FindWindowA(clase, titulo);
}

std::int32_t PlataformaBarridoWin32::GetWindowRect(forms::Handle ventana, RectanguloPixeles& rectangulo) {
    RECT r{};
    const BOOL resultado = ::GetWindowRect(ventana, &r);
    rectangulo = {static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                  static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
    return static_cast<std::int32_t>(resultado);
}

std::int32_t PlataformaBarridoWin32::SetWindowPos(forms::Handle ventana, forms::Handle insertarDespues, std::int32_t x,
                                                  std::int32_t y, std::int32_t cx, std::int32_t cy,
                                                  std::uint32_t flags) {
    return ::SetWindowPos(ventana, insertarDespues, x, y, cx, cy, flags);
}

std::int32_t PlataformaBarridoWin32::GetWindowLongA(forms::Handle ventana, std::int32_t indice) {
    return ::GetWindowLongA(ventana, indice);
}

std::int32_t PlataformaBarridoWin32::SetWindowLongA(forms::Handle ventana, std::int32_t indice, std::int32_t valor) {
    return ::SetWindowLongA(ventana, indice, valor);
}

std::int32_t PlataformaBarridoWin32::SetLayeredWindowAttributes(forms::Handle ventana, std::uint32_t colorClave,
                                                                std::uint8_t alfa, std::uint32_t flags) {
    return ::SetLayeredWindowAttributes(ventana, colorClave, alfa, flags);
}

std::uintptr_t PlataformaBarridoWin32::SetTimer(forms::Handle ventana, std::uintptr_t id, std::uint32_t periodoMs) {
    return ::SetTimer(ventana, id, periodoMs, TickBarrido);
}

std::int32_t PlataformaBarridoWin32::KillTimer(forms::Handle ventana, std::uintptr_t id) {
    return ::KillTimer(ventana, id);
}

}  // namespace kalvenor
