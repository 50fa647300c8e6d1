#pragma once
// The sweep's seam to the platform: exactly the user32 calls the sweep makes,
// named and shaped after them. The program installs the real user32 one
// (PlataformaBarridoWin32.h); tests install a fake taskbar and timer.
// Portable: no <windows.h>.

#include <cstdint>

#include "forms/core/TimerIds.h"
#include "forms/core/Window.h"

namespace kalvenor {

// A platform rectangle in screen pixels; right and bottom exclusive.
struct RectanguloPixeles {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The values the sweep passes, with their user32 names.
// HWND_TOPMOST
inline const forms::Handle kHwndTopmost = reinterpret_cast<forms::Handle>(-1);
inline constexpr std::uint32_t kSwpNoSizeNoMove = 3;   // SWP_NOSIZE | SWP_NOMOVE
inline constexpr std::uint32_t kSwpNoActivate = 0x10;  // SWP_NOACTIVATE
inline constexpr std::int32_t kGwlExStyle = -20;       // GWL_EXSTYLE
inline constexpr std::int32_t kWsExLayered = 0x80000;  // WS_EX_LAYERED
inline constexpr std::uint32_t kLwaAlpha = 2;          // LWA_ALPHA
inline constexpr std::uintptr_t kIdTemporizadorBarrido = forms::IdOf(forms::TimerId::Sweep);
inline constexpr std::uint32_t kPeriodoBarridoMs = 1;
inline constexpr char kClaseBarraTareas[] = "Shell_TrayWnd";

class PlataformaBarrido {
public:
    virtual ~PlataformaBarrido() = default;

    virtual forms::Handle FindWindowA(const char* clase, const char* titulo) = 0;
    // Greater than 0 on success.
    virtual std::int32_t GetWindowRect(forms::Handle ventana, RectanguloPixeles& rectangulo) = 0;
    virtual std::int32_t SetWindowPos(forms::Handle ventana, forms::Handle insertarDespues, std::int32_t x,
                                      std::int32_t y, std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
    virtual std::int32_t GetWindowLongA(forms::Handle ventana, std::int32_t indice) = 0;
    virtual std::int32_t SetWindowLongA(forms::Handle ventana, std::int32_t indice, std::int32_t valor) = 0;
    virtual std::int32_t SetLayeredWindowAttributes(forms::Handle ventana, std::uint32_t colorClave, std::uint8_t alfa,
                                                    std::uint32_t flags) = 0;
    // Arms (or re-arms: same handle, same id) the timer whose callback is
    // PasoBarrido; the real implementation supplies the platform's callback.
    virtual std::uintptr_t SetTimer(forms::Handle ventana, std::uintptr_t id, std::uint32_t periodoMs) = 0;
    virtual std::int32_t KillTimer(forms::Handle ventana, std::uintptr_t id) = 0;
};

}  // namespace kalvenor
