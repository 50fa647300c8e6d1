#include "Bombeo.h"

#include <windows.h>

namespace kalvenor::pruebas {

namespace {

bool salirSolicitado = false;

void BombearUnaVez() {
    MSG mensaje;
    while (::PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        if (mensaje.message == WM_QUIT) {
            salirSolicitado = true;
            continue;
        }
        ::TranslateMessage(&mensaje);
        ::DispatchMessageW(&mensaje);
    }
}

}  // namespace

bool EsperarHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    while (!condicion()) {
        if (std::chrono::steady_clock::now() > fin) return false;
        BombearUnaVez();
        ::Sleep(5);
    }
    return true;
}

void BombearDurante(std::chrono::milliseconds tiempo) {
    const auto fin = std::chrono::steady_clock::now() + tiempo;
    while (std::chrono::steady_clock::now() < fin) {
        BombearUnaVez();
        ::Sleep(5);
    }
}

bool SeSolicitoSalir() {
    BombearUnaVez();
    const bool solicitado = salirSolicitado;
    salirSolicitado = false;
    return solicitado;
}

}  // namespace kalvenor::pruebas
