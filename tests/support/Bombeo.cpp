#include "Bombeo.h"

#include <windows.h>

namespace kalvenor::pruebas {

namespace {

bool salirSolicitado = false;

// Dispatches what is queued; true as soon as the condition holds.
bool BombearUnaVez(const std::function<bool()>& condicion, const std::function<void()>& despues) {
    MSG mensaje;
    while (::PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        if (mensaje.message == WM_QUIT) {
            salirSolicitado = true;
            continue;
        }
        ::TranslateMessage(&mensaje);
        ::DispatchMessageW(&mensaje);
        if (despues) despues();
        if (condicion && condicion()) return true;
    }
    return condicion && condicion();
}

}  // namespace

bool BombearHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite,
                  const std::function<void()>& despues) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    while (!BombearUnaVez(condicion, despues)) {
        if (std::chrono::steady_clock::now() >= fin) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void BombearDurante(std::chrono::milliseconds tiempo, const std::function<void()>& despues) {
    BombearHasta([] { return false; }, tiempo, despues);
}

bool SeSolicitoSalir() {
    BombearUnaVez({}, {});
    const bool solicitado = salirSolicitado;
    salirSolicitado = false;
    return solicitado;
}

void BombearHastaSalir() {
    MSG mensaje;
    while (::GetMessageW(&mensaje, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&mensaje);
        ::DispatchMessageW(&mensaje);
    }
}

}  // namespace kalvenor::pruebas
