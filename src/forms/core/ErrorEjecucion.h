#pragma once
// Run-time errors of the program. They are raised as C++ exceptions and caught
// at the boundary of every Win32 callback, where the error report takes them.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvenor::forms {

class ErrorEjecucion : public std::runtime_error {
public:
    ErrorEjecucion(int numero, std::u16string descripcion);

    int Numero() const noexcept { return numero_; }
    const std::u16string& Descripcion() const noexcept { return descripcion_; }

    // "Se ha producido el error '6' en tiempo de ejecución:\n\nDesbordamiento"
    std::u16string Mensaje() const;

private:
    int numero_;
    std::u16string descripcion_;
};

inline constexpr int kErrorDesbordamiento = 6;
inline constexpr int kErrorSinMemoria = 7;
inline constexpr int kErrorTipoNoCoincide = 13;
inline constexpr int kErrorInterno = 51;
inline constexpr int kErrorNoSeCreoLaVentana = 52;

ErrorEjecucion Desbordamiento();
ErrorEjecucion TipoNoCoincide();
ErrorEjecucion SinMemoria();
ErrorEjecucion ErrorInterno();
// The platform refused to create a window of that class, with its error code.
ErrorEjecucion NoSeCreoLaVentana(std::u16string_view clase, unsigned long codigoSistema);

}  // namespace kalvenor::forms
