// Traducir.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "translation/Traduccion.h"
#include "translation/TraduccionVias.h"

namespace kalvenor {
namespace {

// The translation written out step by step, one character at a
// time, for comparing with the fast routine: lower-case copy only for
// comparing, pairs tried in table order, zero against non-zero direction.
char16_t MinusculaParaComparar(char16_t caracter) {
    if (caracter >= u'A' && caracter <= u'Z') return static_cast<char16_t>(caracter + (u'a' - u'A'));
    if (caracter == u'\u0130') return u'i';  // capital I with dot above
    return caracter;
}

std::u16string TraducirPasoAPaso(std::u16string_view texto, std::int32_t direccion) {
    std::u16string resultado;
    for (const char16_t fuente : texto) {
        const char16_t copia = MinusculaParaComparar(fuente);
        char16_t pieza = fuente;
        for (const ParClave& par : TablaClave) {
            if (direccion == 0 ? copia == par.letra : copia == par.digito) {
                pieza = direccion == 0 ? par.digito : par.letra;
                break;
            }
        }
        resultado += pieza;
    }
    return resultado;
}

std::u16string Repetir(std::u16string_view trozo, std::size_t longitud) {
    std::u16string texto;
    texto.reserve(longitud);
    while (texto.size() < longitud) texto.append(trozo.substr(0, longitud - texto.size()));
    return texto;
}

struct Fila {
    std::int32_t direccion;
    std::u16string_view entrada;
    std::u16string_view resultado;
};

// Worked translations, row by row.
constexpr Fila FilasDeEjemplo[] = {
    {HaciaClave, u"Camino", u"4815n0"},
    {HaciaNormal, u"4815n0", u"camino"},
    {HaciaClave, u"GALLO", u"98770"},
    {HaciaNormal, u"98770", u"gallo"},
    {HaciaClave, u"Hola, Ñandú.", u"H078, Ñ8ndú."},
    {HaciaNormal, u"H078", u"Hola"},
    {HaciaNormal, u"m1", u"mm"},
    {HaciaClave, u"a1", u"81"},
    {HaciaNormal, u"81", u"am"},
    {HaciaClave, u"murcielagoMURCIELAGO", u"12345678901234567890"},
    {HaciaNormal, u"1234567890", u"murcielago"},
    // Capital I with dot above: its lower case is i, the table letter of 5.
    {HaciaClave, u"\u0130stanbul", u"5st8nb27"},
    {HaciaNormal, u"5st8nb27", u"istanbul"},
    {HaciaClave, u"Camino\r\nGALLO\r\n\nHola\r", u"4815n0\r\n98770\r\n\nH078\r"},
    {HaciaClave, u"", u""},
    {HaciaNormal, u"", u""},
};

class TraduccionFila : public ::testing::TestWithParam<Fila> {};

TEST_P(TraduccionFila, DaElResultadoDeLaTabla) {
    const Fila& fila = GetParam();
    EXPECT_EQ(Traducir(fila.entrada, fila.direccion), fila.resultado);
}

INSTANTIATE_TEST_SUITE_P(TraduccionesDeEjemplo, TraduccionFila, ::testing::ValuesIn(FilasDeEjemplo));

TEST(Traducir, CualquierDireccionDistintaDeCeroEsHaciaNormal) {
    const std::u16string_view clave = u"4815n0 H078, 98770. m1";
    const std::u16string normal = Traducir(clave, HaciaNormal);
    EXPECT_EQ(normal, u"camino Hola, gallo. mm");
    for (const std::int32_t direccion :
         {2, -1, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(Traducir(clave, direccion), normal) << "dirección " << direccion;
    }
}

// Every 16-bit unit, both ways: letters of the table in either case, every
// other character kept (accented vowels, look-alikes whose low byte is a table
// letter, U+0131), on the portable loop and, where the processor has AVX2, the
// AVX2 one: each on its own, whichever Traducir picks here.
TEST(Traducir, CadaViaDelProcesadorTraduceCadaUnidadDe16BitsComoLaTabla) {
    struct Via {
        interno::Via via;
        const char* nombre;
    };
    constexpr Via Vias[] = {{interno::Via::Portable, "portable"}, {interno::Via::Avx2, "AVX2"}};
    std::u16string todas;
    for (std::uint32_t c = 0; c <= 0xFFFF; ++c) todas += static_cast<char16_t>(c);
    for (const Via& via : Vias) {
        if (!interno::ViaDisponible(via.via)) continue;  // not on this processor
        for (const std::int32_t direccion : {HaciaClave, HaciaNormal}) {
            std::u16string obtenido(todas.size(), u'\0');
            interno::TraducirPor(via.via, todas.data(), obtenido.data(), todas.size(), direccion);
            EXPECT_TRUE(obtenido == TraducirPasoAPaso(todas, direccion))
                << "vía " << via.nombre << ", dirección " << direccion;
        }
    }
}

TEST(Traducir, TextosDeCualquierLongitudYPosicionEnMemoriaSeTraducenEnteros) {
    // Short and odd lengths, and texts that start anywhere in memory: the fast
    // loop handles whole blocks and a rest.
    std::mt19937 azar(1252);
    const std::u16string_view muestra = u"murcielagoMURCIELAGO0123456789ñÑáÚ .,\r\n\u0130\u016D";
    std::uniform_int_distribution<std::size_t> cual(0, muestra.size() - 1);
    std::u16string largo;
    for (int i = 0; i < 300; ++i) largo += muestra[cual(azar)];
    for (std::size_t inicio = 0; inicio < 17; ++inicio) {
        for (std::size_t longitud = 0; inicio + longitud <= largo.size(); longitud += 7) {
            const std::u16string_view texto = std::u16string_view(largo).substr(inicio, longitud);
            for (const std::int32_t direccion : {HaciaClave, HaciaNormal}) {
                ASSERT_EQ(Traducir(texto, direccion), TraducirPasoAPaso(texto, direccion))
                    << "inicio " << inicio << ", longitud " << longitud;
            }
        }
    }
}

// No 16-bit count limits a text: one of 32767 characters or more translates
// whole.
class TraduccionLongitud : public ::testing::TestWithParam<std::size_t> {};

TEST_P(TraduccionLongitud, TraduceElTextoEntero) {
    const std::size_t longitud = GetParam();
    const std::u16string normal = Repetir(u"Camino, GALLO. Hola\r\n", longitud);
    const std::u16string clave = Repetir(u"4815n0, 98770. H078\r\n", longitud);
    const std::u16string deVuelta = Repetir(u"camino, gallo. Hola\r\n", longitud);
    const std::u16string enClave = Traducir(normal, HaciaClave);
    ASSERT_EQ(enClave.size(), longitud);
    EXPECT_TRUE(enClave == clave);
    const std::u16string enNormal = Traducir(clave, HaciaNormal);
    ASSERT_EQ(enNormal.size(), longitud);
    EXPECT_TRUE(enNormal == deVuelta);
}

INSTANTIATE_TEST_SUITE_P(Limite16Bits, TraduccionLongitud,
                         ::testing::Values(std::size_t{32766}, std::size_t{32767}, std::size_t{32768},
                                           std::size_t{65536}, std::size_t{10'000'000}));

}  // namespace
}  // namespace kalvenor
