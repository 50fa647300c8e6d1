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
};

class TraduccionFila : public ::testing::TestWithParam<Fila> {};

TEST_P(TraduccionFila, DaElResultadoDeLaTabla) {
    const Fila& fila = GetParam();
    EXPECT_EQ(Traducir(fila.entrada, fila.direccion), fila.resultado);
}

INSTANTIATE_TEST_SUITE_P(TraduccionesDeEjemplo, TraduccionFila, ::testing::ValuesIn(FilasDeEjemplo));

TEST(Traducir, CadaLetraDeLaTablaDaSuDigitoEnAmbasFormas) {
    EXPECT_EQ(Traducir(u"murcielago", HaciaClave), u"1234567890");
    EXPECT_EQ(Traducir(u"MURCIELAGO", HaciaClave), u"1234567890");
    EXPECT_EQ(Traducir(u"1234567890", HaciaNormal), u"murcielago");
}

TEST(Traducir, LasDemasLetrasYLosDigitosNoCambianHaciaClave) {
    const std::u16string_view otras = u"bdfhjknñpqstvwxyzBDFHJKNÑPQSTVWXYZ0123456789 .,;:¿?¡!-";
    EXPECT_EQ(Traducir(otras, HaciaClave), otras);
}

TEST(Traducir, LasLetrasNoCambianHaciaNormal) {
    const std::u16string_view letras = u"murcielagoMURCIELAGO bdfhñÑ.,";
    EXPECT_EQ(Traducir(letras, HaciaNormal), letras);
}

TEST(Traducir, LasVocalesAcentuadasNoSonSusVocales) {
    const std::u16string_view acentuadas = u"áéíóúÁÉÍÓÚàèìòùüÜâêîôû";
    EXPECT_EQ(Traducir(acentuadas, HaciaClave), acentuadas);
}

TEST(Traducir, TextoVacioDaTextoVacio) {
    EXPECT_EQ(Traducir(u"", HaciaClave), u"");
    EXPECT_EQ(Traducir(u"", HaciaNormal), u"");
}

TEST(Traducir, CualquierDireccionDistintaDeCeroEsHaciaNormal) {
    const std::u16string_view clave = u"4815n0 H078, 98770. m1";
    const std::u16string normal = Traducir(clave, HaciaNormal);
    EXPECT_EQ(normal, u"camino Hola, gallo. mm");
    for (const std::int32_t direccion :
         {2, -1, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(Traducir(clave, direccion), normal) << "dirección " << direccion;
    }
}

TEST(Traducir, LosSaltosDeLineaPasanSinCambio) {
    EXPECT_EQ(Traducir(u"Camino\r\nGALLO\r\n\nHola\r", HaciaClave), u"4815n0\r\n98770\r\n\nH078\r");
    EXPECT_EQ(Traducir(u"4815n0\r\n98770\r\n\nH078\r", HaciaNormal), u"camino\r\ngallo\r\n\nHola\r");
}

TEST(Traducir, IMayusculaConPuntoEsUnaIHaciaClave) {
    // Its simple lower case is i, the table letter of 5.
    EXPECT_EQ(Traducir(u"\u0130", HaciaClave), u"5");
    EXPECT_EQ(Traducir(u"\u0130stanbul", HaciaClave), u"5st8nb27");
    // Back from code the digit becomes the small i.
    EXPECT_EQ(Traducir(u"5st8nb27", HaciaNormal), u"istanbul");
}

TEST(Traducir, CaracteresConUnaLetraDeLaTablaEnSuByteBajoNoCambian) {
    // U+016D (u with breve), U+0161 (s with caron), U+0110 (D with stroke, which
    // with bit 0x20 set would be U+0130), fullwidth m and 1, the Kelvin sign
    // (lower case k), U+2161 (Roman numeral two), U+0131 (dotless i).
    const std::u16string_view parecidos = u"\u016D\u0161\u0110\uFF4D\uFF11\u212A\u2161\u0131";
    EXPECT_EQ(Traducir(parecidos, HaciaClave), parecidos);
    EXPECT_EQ(Traducir(parecidos, HaciaNormal), parecidos);
}

TEST(Traducir, CadaUnidadDe16BitsSeTraduceComoDiceLaTabla) {
    std::u16string todas;
    for (std::uint32_t c = 0; c <= 0xFFFF; ++c) todas += static_cast<char16_t>(c);
    for (const std::int32_t direccion : {HaciaClave, HaciaNormal}) {
        const std::u16string obtenido = Traducir(todas, direccion);
        const std::u16string esperado = TraducirPasoAPaso(todas, direccion);
        ASSERT_EQ(obtenido.size(), todas.size());
        for (std::size_t i = 0; i < todas.size(); ++i) {
            ASSERT_EQ(obtenido[i], esperado[i]) << "unidad U+" << std::hex << i << ", dirección " << direccion;
        }
    }
}

TEST(Traducir, CadaViaDelProcesadorTraduceCadaUnidadDe16BitsComoLaTabla) {
    // The portable loop and, where the processor has AVX2, the AVX2 one: each
    // on its own, whichever Traducir picks here.
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
