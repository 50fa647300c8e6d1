#pragma once
// The tests' message loop: waiting on windows pumps this thread's messages
// until a condition holds or a generous time-out passes.

#include <chrono>
#include <functional>

namespace kalvenor::pruebas {

// Dispatches this thread's messages until the condition holds (true) or the
// time-out passes (false). `despues` runs after every dispatched message (a sweep tick runs whole
// inside one dispatch, so it sees the window between ticks); the condition is
// checked after each one too.
bool BombearHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite = std::chrono::seconds(15),
                  const std::function<void()>& despues = {});

// Pumps for a while; for checking that something does not happen.
void BombearDurante(std::chrono::milliseconds tiempo, const std::function<void()>& despues = {});

// True when the last form's unloading asked the message loop to end; clears it.
bool SeSolicitoSalir();

// The whole life of a thread that only answers its windows' messages: returns
// when the thread is sent WM_QUIT.
void BombearHastaSalir();

}  // namespace kalvenor::pruebas
