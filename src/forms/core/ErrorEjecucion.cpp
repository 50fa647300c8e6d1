#include "forms/core/ErrorEjecucion.h"

#include <utility>

#include "forms/core/Conversiones.h"

namespace kalvenor::forms {

namespace {
std::string Ascii(const std::u16string& texto) {
    std::string resultado;
    for (char16_t c : texto) resultado.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return resultado;
}
}  // namespace

ErrorEjecucion::ErrorEjecucion(int numero, std::u16string descripcion)
    : std::runtime_error("run-time error " + std::to_string(numero) + ": " + Ascii(descripcion)),
      numero_(numero),
      descripcion_(std::move(descripcion)) {}

std::u16string ErrorEjecucion::Mensaje() const {
    std::u16string mensaje = u"Se ha producido el error '";
    mensaje += TextoDesdeNumero(numero_);
    mensaje += u"' en tiempo de ejecución:\n\n";
    mensaje += descripcion_;
    return mensaje;
}

ErrorEjecucion Desbordamiento() { return {kErrorDesbordamiento, u"Desbordamiento"}; }
ErrorEjecucion TipoNoCoincide() { return {kErrorTipoNoCoincide, u"No coinciden los tipos"}; }
ErrorEjecucion SinMemoria() { return {kErrorSinMemoria, u"Memoria insuficiente"}; }
ErrorEjecucion ErrorInterno() { return {kErrorInterno, u"Error interno"}; }

ErrorEjecucion NoSeCreoLaVentana(std::u16string_view clase, unsigned long codigoSistema) {
    std::u16string descripcion = u"No se pudo crear una ventana de la clase ";
    descripcion.append(clase);
    descripcion += u" (error del sistema " + TextoDesdeNumero(codigoSistema) + u")";
    return {kErrorNoSeCreoLaVentana, std::move(descripcion)};
}

}  // namespace kalvenor::forms
