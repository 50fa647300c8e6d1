#pragma once
// The one reporting path for errors. Every Win32 callback of the program runs
// its work through ProtegerLlamada, so no C++ exception crosses the platform:
// the error ends that piece of work, is shown to the user and ends the program.

#include <functional>
#include <string>

namespace kalvenor::forms {

// Shows the report and ends the program. Replaceable so that tests can see the
// report without a modal box and without the process ending.
struct PresentadorErrores {
    std::function<void(const std::u16string& mensaje)> mostrar;
    std::function<void(int codigoSalida)> terminar;
};

void UsarPresentadorErrores(PresentadorErrores presentador);
PresentadorErrores PresentadorErroresPredeterminado();

// Reports the exception being handled (call only inside a catch block).
void ReportarErrorActual() noexcept;

template <class Funcion>
void ProtegerLlamada(Funcion&& funcion) noexcept {
    try {
        funcion();
    } catch (...) {
        ReportarErrorActual();
    }
}

}  // namespace kalvenor::forms
