#include "forms/win32/InformeErrores.h"

#include <windows.h>

#include <new>
#include <utility>

#include "forms/core/TituloAplicacion.h"
#include "forms/core/ErrorEjecucion.h"
#include "forms/core/Texto.h"

namespace kalvenor::forms {

namespace {

PresentadorErrores& Presentador() {
    static PresentadorErrores presentador = PresentadorErroresPredeterminado();
    return presentador;
}

ErrorEjecucion ErrorDe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const ErrorEjecucion& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return SinMemoria();
    } catch (...) {
        return ErrorInterno();
    }
}

}  // namespace

void UsarPresentadorErrores(PresentadorErrores presentador) { Presentador() = std::move(presentador); }

PresentadorErrores PresentadorErroresPredeterminado() {
    return {
        [](const std::u16string& mensaje) {
            const std::wstring titulo = AnchoDesdeTexto(TituloAplicacion());
            ::MessageBoxW(nullptr, AnchoDesdeTexto(mensaje).c_str(), titulo.c_str(),
                          MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
        },
        [](int codigoSalida) { ::ExitProcess(static_cast<UINT>(codigoSalida)); },
    };
}

void ReportarErrorActual() noexcept {
    // The report's own box runs a message loop, where timers go on ticking. An
    // error raised meanwhile opens no second box and does not end the program
    // under the first one: the user reads the first report, and closing it
    // ends the program.
    static bool informando = false;
    if (informando) return;
    const ErrorEjecucion error = ErrorDe(std::current_exception());
    PresentadorErrores& presentador = Presentador();
    informando = true;
    try {
        if (presentador.mostrar) presentador.mostrar(error.Mensaje());
    } catch (...) {
    }
    informando = false;
    try {
        if (presentador.terminar) presentador.terminar(error.Numero());
    } catch (...) {
    }
}

}  // namespace kalvenor::forms
