#pragma once
// Waiting on windows: pumps this thread's messages until a condition holds or
// a generous time-out passes.

#include <chrono>
#include <functional>

namespace kalvenor::pruebas {

bool EsperarHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite = std::chrono::seconds(10));

// Pumps for a while; for checking that something does not happen.
void BombearDurante(std::chrono::milliseconds tiempo);

// True when the last form's unloading asked the message loop to end; clears it.
bool SeSolicitoSalir();

}  // namespace kalvenor::pruebas
