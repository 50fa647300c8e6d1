// The key filters of Text1 (PermitidosNormal) and Text2
// (PermitidosClave), through the Windows-1252 code page.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "Windows1252.h"
#include "translation/FiltroTeclas.h"
#include "translation/Traduccion.h"

namespace kalvenor {
namespace {

using forms::AnsiCodePageKind;
using pruebas::CaracterWindows1252;

// What the key-press handler leaves of a key code.
std::int16_t Filtrar(std::int16_t codigo, std::u16string_view permitidos) {
    std::int16_t KeyAscii = codigo;
    FiltrarTecla(KeyAscii, permitidos, CaracterWindows1252, AnsiCodePageKind::OneOrTwoBytes);
    return KeyAscii;
}

bool Acepta(std::u16string_view permitidos, std::int16_t codigo) {
    const std::int16_t resultado = Filtrar(codigo, permitidos);
    EXPECT_TRUE(resultado == codigo || resultado == 0) << "código " << codigo;
    EXPECT_EQ(TeclaPermitida(codigo, permitidos, CaracterWindows1252, AnsiCodePageKind::OneOrTwoBytes),
              resultado == codigo)
        << "código " << codigo;
    return resultado == codigo;
}

// The Windows-1252 key code of a character of that code page.
std::int16_t Codigo(char16_t caracter) {
    for (std::int16_t codigo = 0; codigo <= 0xFF; ++codigo) {
        if (CaracterWindows1252(codigo) == caracter) return codigo;
    }
    ADD_FAILURE() << "no está en Windows-1252: U+" << std::hex << static_cast<int>(caracter);
    return 0;
}

// Types the characters into a box that starts empty: a key that is not
// cancelled adds its character.
std::u16string Teclear(std::u16string_view teclas, std::u16string_view permitidos) {
    std::u16string caja;
    for (const char16_t tecla : teclas) {
        const std::int16_t codigo = Filtrar(Codigo(tecla), permitidos);
        if (codigo != 0) caja += CaracterWindows1252(codigo);
    }
    return caja;
}

TEST(Permitidos, ElDeClaveTieneLasLetrasSinDigitoYNingunaDeLaTabla) {
    for (const ParClave& par : TablaClave) {
        const auto mayuscula = static_cast<char16_t>(par.letra - (u'a' - u'A'));
        EXPECT_EQ(PermitidosClave.find(par.letra), std::u16string_view::npos);
        EXPECT_EQ(PermitidosClave.find(mayuscula), std::u16string_view::npos);
        EXPECT_NE(PermitidosClave.find(par.digito), std::u16string_view::npos);
    }
    for (const char16_t letra : PermitidosNormal) {
        if (letra == u'.' || letra == u',') continue;
        const bool deLaTabla = Traducir(std::u16string(1, letra), HaciaClave)[0] != letra;
        EXPECT_EQ(PermitidosClave.find(letra) == std::u16string_view::npos, deLaTabla)
            << "letra U+" << std::hex << static_cast<int>(letra);
    }
}

TEST(FiltrarTecla, EnText1HolaMundoPierdeElBlanco) {
    EXPECT_EQ(Teclear(u"Hola mundo", PermitidosNormal), u"Holamundo");
}

TEST(FiltrarTecla, SieteSoloEnText2) {
    EXPECT_FALSE(Acepta(PermitidosNormal, '7'));
    EXPECT_TRUE(Acepta(PermitidosClave, '7'));
}

TEST(FiltrarTecla, Text1RechazaTodosLosDigitosYText2LosAcepta) {
    for (std::int16_t digito = '0'; digito <= '9'; ++digito) {
        EXPECT_FALSE(Acepta(PermitidosNormal, digito)) << static_cast<char>(digito);
        EXPECT_TRUE(Acepta(PermitidosClave, digito)) << static_cast<char>(digito);
    }
}

TEST(FiltrarTecla, Text2RechazaLasLetrasDeLaTablaEnAmbasFormas) {
    EXPECT_FALSE(Acepta(PermitidosClave, 'a'));
    EXPECT_FALSE(Acepta(PermitidosClave, 'A'));
    EXPECT_EQ(Teclear(u"murcielagoMURCIELAGO", PermitidosClave), u"");
    EXPECT_EQ(Teclear(u"murcielagoMURCIELAGO", PermitidosNormal), u"murcielagoMURCIELAGO");
}

TEST(FiltrarTecla, AmbasCajasAceptanBEnieYPuntuacionPermitida) {
    for (const std::u16string_view permitidos : {PermitidosNormal, PermitidosClave}) {
        for (const char16_t tecla : std::u16string_view(u"bBÑñ.,")) {
            EXPECT_TRUE(Acepta(permitidos, Codigo(tecla))) << "U+" << std::hex << int(tecla);
        }
    }
    EXPECT_EQ(Codigo(u'Ñ'), 209);
    EXPECT_EQ(Codigo(u'ñ'), 241);
}

TEST(FiltrarTecla, AmbasCajasRechazanAcentosSignosYElBlanco) {
    for (const std::u16string_view permitidos : {PermitidosNormal, PermitidosClave}) {
        for (const char16_t tecla : std::u16string_view(u"áéüÁÜ¿?¡!;-: '\"")) {
            EXPECT_FALSE(Acepta(permitidos, Codigo(tecla))) << "U+" << std::hex << int(tecla);
        }
    }
}

TEST(FiltrarTecla, CodigosHastaOchoYNegativosPasan) {
    for (const std::u16string_view permitidos : {PermitidosNormal, PermitidosClave}) {
        for (const std::int16_t codigo : {0, 1, 3, 7, 8, -1, -2, -15439, -32768}) {
            EXPECT_TRUE(Acepta(permitidos, codigo)) << "código " << codigo;
        }
    }
}

TEST(FiltrarTecla, ControlesDesdeNueveSeCancelan) {
    // Tab 9, line feed 10, Enter 13, Ctrl+V 22, Ctrl+X 24, Ctrl+Z 26, Escape 27.
    for (const std::u16string_view permitidos : {PermitidosNormal, PermitidosClave}) {
        for (const std::int16_t codigo : {9, 10, 13, 22, 24, 26, 27, 31, 127}) {
            EXPECT_EQ(Filtrar(codigo, permitidos), 0) << "código " << codigo;
        }
    }
}

TEST(FiltrarTecla, AceptaJustoLosCodigosDeSuConjuntoPorEncimaDeOcho) {
    // Each character of a set has one code in Windows-1252, so the number of
    // codes above 8 that a box takes is the size of its set.
    for (const std::u16string_view permitidos : {PermitidosNormal, PermitidosClave}) {
        std::size_t aceptados = 0;
        for (std::int16_t codigo = 9; codigo <= 0xFF; ++codigo) {
            if (Acepta(permitidos, codigo)) {
                ++aceptados;
                EXPECT_NE(permitidos.find(CaracterWindows1252(codigo)), std::u16string_view::npos);
            }
        }
        EXPECT_EQ(aceptados, permitidos.size());
    }
}

// A system whose code page is UTF-8: characters up to U+07FF are one or two
// bytes, and two bytes make the code lead * 256 + trail, negative.
std::int16_t CodigoUtf8(char16_t c) {
    if (c < 0x80) return static_cast<std::int16_t>(c);
    if (c >= 0x800) return '?';  // three bytes do not fit a key code
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((0xC0 | c >> 6) << 8 | (0x80 | (c & 0x3F))));
}

char16_t CaracterUtf8(std::int16_t codigo) {
    const auto u = static_cast<std::uint16_t>(codigo);
    if (u < 0x80) return u;
    const unsigned primero = u >> 8;
    const unsigned segundo = u & 0xFF;
    if (primero < 0xC2 || primero > 0xDF || (segundo & 0xC0) != 0x80) return u'\uFFFD';
    return static_cast<char16_t>((primero & 0x1F) << 6 | (segundo & 0x3F));
}

TEST(FiltrarTecla, EnUnaPaginaUtf8CadaCajaTomaSuConjuntoComoEnWindows1252) {
    struct Caso {
        char16_t tecla;
        bool enText1;
        bool enText2;
    };
    const Caso casos[] = {
        {u'á', false, false}, {u'é', false, false}, {u'ü', false, false}, {u'Á', false, false},  {u'¿', false, false},
        {u'€', false, false}, {u'Ñ', true, true},   {u'ñ', true, true},   {u'b', true, true},    {u'.', true, true},
        {u'7', false, true},  {u'a', true, false},  {u' ', false, false}, {u'\r', false, false}, {u'\b', true, true},
    };
    for (const Caso& caso : casos) {
        const std::int16_t codigo = CodigoUtf8(caso.tecla);
        for (const bool enText1 : {true, false}) {
            std::int16_t KeyAscii = codigo;
            FiltrarTecla(KeyAscii, enText1 ? PermitidosNormal : PermitidosClave, CaracterUtf8, AnsiCodePageKind::Utf8);
            EXPECT_EQ(KeyAscii, (enText1 ? caso.enText1 : caso.enText2) ? codigo : 0)
                << "U+" << std::hex << int(caso.tecla) << (enText1 ? " en Text1" : " en Text2");
        }
    }
}

TEST(FiltrarTecla, ElCaracterSaleDelConversorDado) {
    // With a code page in which every code is the letter b, every key passes.
    const forms::AnsiConverter todoEsB = [](std::int16_t) { return u'b'; };
    std::int16_t KeyAscii = 32;
    FiltrarTecla(KeyAscii, PermitidosNormal, todoEsB, AnsiCodePageKind::OneOrTwoBytes);
    EXPECT_EQ(KeyAscii, 32);
    const forms::AnsiConverter todoEsA = [](std::int16_t) { return u'a'; };
    KeyAscii = 'b';
    FiltrarTecla(KeyAscii, PermitidosClave, todoEsA, AnsiCodePageKind::OneOrTwoBytes);
    EXPECT_EQ(KeyAscii, 0);
}

}  // namespace
}  // namespace kalvenor
