#include "forms/core/Conversions.h"

#include <cstdint>

#include "forms/core/RuntimeError.h"

namespace kalvenor::forms {

// Accepts exactly: an optional '-', then one or more ASCII digits. Anything
// else (empty text, blanks, '+', a fraction, other digits) is no number.
// A number outside [minimo, maximo], however many digits it has, overflows.
std::int32_t IntegerFromText(std::u16string_view texto, std::int32_t minimo, std::int32_t maximo) {
    std::size_t inicio = 0;
    const bool negativo = !texto.empty() && texto.front() == u'-';
    if (negativo) inicio = 1;
    if (inicio == texto.size()) throw TypeMismatch();
    for (std::size_t i = inicio; i < texto.size(); ++i) {
        if (texto[i] < u'0' || texto[i] > u'9') throw TypeMismatch();
    }

    // Every digit is checked before any overflow is raised, so "99999x" is a
    // type mismatch. The magnitude stops growing once it is past every 32-bit
    // range, so no digit string can overflow the accumulator.
    constexpr std::int64_t kTope = std::int64_t{1} << 32;
    std::int64_t magnitud = 0;
    for (std::size_t i = inicio; i < texto.size() && magnitud <= kTope; ++i) {
        magnitud = magnitud * 10 + (texto[i] - u'0');
    }
    const std::int64_t valor = negativo ? -magnitud : magnitud;
    if (valor < minimo || valor > maximo) throw Overflow();
    return static_cast<std::int32_t>(valor);
}

std::u16string TextFromNumber(std::int64_t numero) {
    // The magnitude as unsigned, so that the most negative number has one too.
    std::uint64_t magnitud = numero < 0 ? 0 - static_cast<std::uint64_t>(numero) : static_cast<std::uint64_t>(numero);
    std::u16string cifras;
    do {
        cifras.insert(cifras.begin(), static_cast<char16_t>(u'0' + magnitud % 10));
        magnitud /= 10;
    } while (magnitud != 0);
    if (numero < 0) cifras.insert(cifras.begin(), u'-');
    return cifras;
}

}  // namespace kalvenor::forms
