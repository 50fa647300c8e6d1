#include "forms/core/RuntimeError.h"

#include <utility>

#include "forms/core/Conversions.h"

namespace kalvenor::forms {

namespace {
std::string Ascii(const std::u16string& texto) {
    std::string resultado;
    for (char16_t c : texto) resultado.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return resultado;
}
}  // namespace

RuntimeError::RuntimeError(int number, std::u16string description)
    : std::runtime_error("run-time error " + std::to_string(number) + ": " + Ascii(description)),
      number_(number),
      description_(std::move(description)) {}

std::u16string RuntimeError::Message() const {
    std::u16string mensaje = u"Se ha producido el error '";
    mensaje += TextFromNumber(number_);
    mensaje += u"' en tiempo de ejecución:\n\n";
    mensaje += description_;
    return mensaje;
}

RuntimeError Overflow() { return {kErrorOverflow, u"Desbordamiento"}; }
RuntimeError TypeMismatch() { return {kErrorTypeMismatch, u"No coinciden los tipos"}; }
RuntimeError OutOfMemory() { return {kErrorOutOfMemory, u"Memoria insuficiente"}; }
RuntimeError InternalError() { return {kErrorInternal, u"Error interno"}; }

RuntimeError WindowNotCreated(std::u16string_view windowClass, unsigned long systemError) {
    std::u16string descripcion = u"No se pudo crear una ventana de la clase ";
    descripcion.append(windowClass);
    descripcion += u" (error del sistema " + TextFromNumber(systemError) + u")";
    return {kErrorWindowNotCreated, std::move(descripcion)};
}

}  // namespace kalvenor::forms
