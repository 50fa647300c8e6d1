#pragma once
// The one reporting path for errors. Every Win32 callback of the program runs
// its work through GuardedCall, so no C++ exception crosses the platform:
// the error ends that piece of work, is shown to the user and ends the program.

#include <functional>
#include <string>

namespace kalvenor::forms {

// Shows the report and ends the program. Replaceable so that tests can see the
// report without a modal box and without the process ending.
struct ErrorPresenter {
    std::function<void(const std::u16string& message)> show;
    std::function<void(int exitCode)> end;
};

void UseErrorPresenter(ErrorPresenter presentador);
ErrorPresenter DefaultErrorPresenter();

// Reports the exception being handled (call only inside a catch block).
void ReportCurrentError() noexcept;

template <class Funcion>
void GuardedCall(Funcion&& funcion) noexcept {
    try {
        funcion();
    } catch (...) {
        ReportCurrentError();
    }
}

}  // namespace kalvenor::forms
