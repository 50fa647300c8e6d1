#include "forms/win32/ErrorReport.h"

#include <windows.h>

#include <new>
#include <utility>

#include "forms/core/AppTitle.h"
#include "forms/core/RuntimeError.h"
#include "forms/core/Text.h"

namespace kalvenor::forms {

namespace {

ErrorPresenter& Presentador() {
    static ErrorPresenter presentador = DefaultErrorPresenter();
    return presentador;
}

RuntimeError ErrorDe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    } catch (...) {
        return InternalError();
    }
}

}  // namespace

void UseErrorPresenter(ErrorPresenter presentador) { Presentador() = std::move(presentador); }

ErrorPresenter DefaultErrorPresenter() {
    return {
        [](const std::u16string& mensaje) {
            const std::wstring titulo = WideFromText(AppTitle());
            ::MessageBoxW(nullptr, WideFromText(mensaje).c_str(), titulo.c_str(),
                          MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
        },
        [](int codigoSalida) { ::ExitProcess(static_cast<UINT>(codigoSalida)); },
    };
}

void ReportCurrentError() noexcept {
    // The report's own box runs a message loop, where timers go on ticking. An
    // error raised meanwhile opens no second box and does not end the program
    // under the first one: the user reads the first report, and closing it
    // ends the program.
    static bool informando = false;
    if (informando) return;
    const RuntimeError error = ErrorDe(std::current_exception());
    ErrorPresenter& presentador = Presentador();
    informando = true;
    try {
        if (presentador.show) presentador.show(error.Message());
    } catch (...) {
    }
    informando = false;
    try {
        if (presentador.end) presentador.end(error.Number());
    } catch (...) {
    }
}

}  // namespace kalvenor::forms
