#include "windows/Colocacion.h"

#include <windows.h>

#include <cstdint>
#include <limits>

#include "forms/core/RuntimeError.h"
#include "forms/core/Units.h"
#include "forms/win32/Form.h"
#include "windows/VentanaPrincipal.h"

namespace kalvenor {

namespace {

std::int32_t PorDieciseis(LONG pixeles) {
    const std::int64_t twips = static_cast<std::int64_t>(pixeles) * forms::kTwipsPerPixelBesideMainWindow;
    if (twips < std::numeric_limits<std::int32_t>::min() || twips > std::numeric_limits<std::int32_t>::max())
        throw forms::Overflow();
    return static_cast<std::int32_t>(twips);
}

}  // namespace

void ColocarJuntoAVentanaPrincipal(forms::Form& ventana) {
    RECT principal{};
    if (!::GetWindowRect(Form1.hWnd(), &principal)) return;
    ventana.Move(static_cast<float>(PorDieciseis(principal.left)), static_cast<float>(PorDieciseis(principal.top)));
    ventana.KeepInsideWorkArea();
}

}  // namespace kalvenor
