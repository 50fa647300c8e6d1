#pragma once
// The sweep's platform on Win32: the user32 functions themselves. The program
// installs one once at start:
//     static PlataformaBarridoWin32 plataforma;
//     UsarPlataformaBarrido(plataforma, pantalla);
// Its timer callback runs PasoBarrido through forms::GuardedCall, so no
// exception crosses the platform. (No <windows.h> here.)

#include "sweep/PlataformaBarrido.h"

namespace kalvenor {

class PlataformaBarridoWin32 final : public PlataformaBarrido {
public:
    forms::Handle FindWindowA(const char* clase, const char* titulo) override;
    std::int32_t GetWindowRect(forms::Handle ventana, RectanguloPixeles& rectangulo) override;
    std::int32_t SetWindowPos(forms::Handle ventana, forms::Handle insertarDespues, std::int32_t x, std::int32_t y,
                              std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    std::int32_t GetWindowLongA(forms::Handle ventana, std::int32_t indice) override;
    std::int32_t SetWindowLongA(forms::Handle ventana, std::int32_t indice, std::int32_t valor) override;
    std::int32_t SetLayeredWindowAttributes(forms::Handle ventana, std::uint32_t colorClave, std::uint8_t alfa,
                                            std::uint32_t flags) override;
    // The callback is the trampoline that runs PasoBarrido.
    std::uintptr_t SetTimer(forms::Handle ventana, std::uintptr_t id, std::uint32_t periodoMs) override;
    std::int32_t KillTimer(forms::Handle ventana, std::uintptr_t id) override;
};

}  // namespace kalvenor
