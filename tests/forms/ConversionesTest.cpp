// The run-time's text-to-number conversions as the settings use them.

#include "forms/core/Conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "forms/core/RuntimeError.h"

namespace kalvenor::forms {
namespace {

// The outcome of a conversion: the number, or the run-time error's number.
struct Resultado {
    std::optional<int> valor;
    int error = 0;
    bool operator==(const Resultado&) const = default;
};

Resultado Valor(int v) { return {v, 0}; }
Resultado Error(int numero) { return {std::nullopt, numero}; }

void PrintTo(const Resultado& r, std::ostream* os) {
    if (r.valor)
        *os << "valor " << *r.valor;
    else
        *os << "error " << r.error;
}

// Through IntegerFromText with a type's range.
template <class Tipo>
Resultado Convertir(const std::u16string& texto) {
    try {
        return Valor(IntegerFromText(texto, std::numeric_limits<Tipo>::min(), std::numeric_limits<Tipo>::max()));
    } catch (const RuntimeError& e) {
        return Error(e.Number());
    }
}

std::string Ascii(const std::u16string& texto) {
    std::string s;
    for (char16_t c : texto) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return s.size() > 40 ? s.substr(0, 40) + "...(" + std::to_string(s.size()) + ")" : s;
}

const Resultado kTipo = Error(kErrorTypeMismatch);
const Resultado kDesborde = Error(kErrorOverflow);

struct Caso {
    std::u16string texto;
    Resultado entero16;
    Resultado byte;
};

TEST(Conversiones, TextoANumero) {
    const std::u16string trescientasCifras(300, u'7');
    const std::u16string trescientosCeros = std::u16string(299, u'0') + u"5";
    const Caso casos[] = {
        {u"0", Valor(0), Valor(0)},
        {u"-1", Valor(-1), kDesborde},
        {u"1", Valor(1), Valor(1)},
        {u"200", Valor(200), Valor(200)},
        {u"255", Valor(255), Valor(255)},
        {u"256", Valor(256), kDesborde},
        {u"600", Valor(600), kDesborde},
        {u"32767", Valor(32767), kDesborde},
        {u"-32768", Valor(-32768), kDesborde},
        {u"32768", kDesborde, kDesborde},
        {u"-32769", kDesborde, kDesborde},
        {u"40000", kDesborde, kDesborde},
        {u"-0", Valor(0), Valor(0)},
        {u"007", Valor(7), Valor(7)},
        {u"", kTipo, kTipo},
        {u"-", kTipo, kTipo},
        {u"abc", kTipo, kTipo},
        {u"12a", kTipo, kTipo},
        {u" 5", kTipo, kTipo},
        {u"5 ", kTipo, kTipo},
        {u"+5", kTipo, kTipo},
        {u"1.5", kTipo, kTipo},
        {u"1,5", kTipo, kTipo},
        {u"--5", kTipo, kTipo},
        {u"5-", kTipo, kTipo},
        {u"1e3", kTipo, kTipo},
        {u"0x10", kTipo, kTipo},
        {u"\uFF15", kTipo, kTipo},                 // a full-width digit five
        {u"99999999999999999999x", kTipo, kTipo},  // no number, however long its digits
        {trescientasCifras, kDesborde, kDesborde},
        {u"-" + trescientasCifras, kDesborde, kDesborde},
        {trescientosCeros, Valor(5), Valor(5)},
        {u"9223372036854775808", kDesborde, kDesborde},
        {u"18446744073709551621", kDesborde, kDesborde},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE("texto \"" + Ascii(caso.texto) + "\"");
        EXPECT_EQ(Convertir<std::int16_t>(caso.texto), caso.entero16);
        EXPECT_EQ(Convertir<std::uint8_t>(caso.texto), caso.byte);
    }
}

TEST(Conversiones, NumeroATexto) {
    EXPECT_EQ(TextFromNumber(0), u"0");
    EXPECT_EQ(TextFromNumber(7), u"7");
    EXPECT_EQ(TextFromNumber(-1), u"-1");
    EXPECT_EQ(TextFromNumber(600), u"600");
    EXPECT_EQ(TextFromNumber(-32768), u"-32768");
    EXPECT_EQ(TextFromNumber(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
    EXPECT_EQ(TextFromNumber(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
}

TEST(Conversiones, IdaYVuelta) {
    for (int n = -32768; n <= 32767; ++n) {
        ASSERT_EQ(IntegerFromText(TextFromNumber(n), INT16_MIN, INT16_MAX), n);
    }
    for (int n = 0; n <= 255; ++n) {
        ASSERT_EQ(IntegerFromText(TextFromNumber(n), 0, UINT8_MAX), n);
    }
}

}  // namespace
}  // namespace kalvenor::forms
