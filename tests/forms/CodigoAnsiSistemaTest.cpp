// The system's ANSI code page through the real Windows conversions (run under
// Wine, whose ANSI code page is Windows-1252 with LANG=C), and the key filter
// with the real converter.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "Windows1252.h"
#include "forms/win32/SystemAnsiCode.h"
#include "translation/FiltroTeclas.h"

namespace kalvenor::forms {
namespace {

using pruebas::CaracterWindows1252;

class CodigoAnsiDelSistema1252 : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 1252) GTEST_SKIP() << "la página de códigos ANSI es " << GetACP();
    }
};

TEST_F(CodigoAnsiDelSistema1252, LaTablaPortableEsLaDelSistema) {
    for (std::int16_t codigo = 0; codigo <= 0xFF; ++codigo) {
        EXPECT_EQ(SystemAnsiChar(codigo), CaracterWindows1252(codigo)) << "código " << codigo;
    }
}

TEST_F(CodigoAnsiDelSistema1252, CadaCaracterDeLaPaginaVuelveASuCodigo) {
    for (std::int16_t codigo = 0; codigo <= 0xFF; ++codigo) {
        EXPECT_EQ(SystemAnsiCode(CaracterWindows1252(codigo)), codigo) << "código " << codigo;
    }
}

TEST_F(CodigoAnsiDelSistema1252, UnCaracterFueraDeLaPaginaEsInterrogacion) {
    EXPECT_EQ(SystemAnsiCode(u'\u4E00'), '?');  // CJK ideograph one
    EXPECT_EQ(SystemAnsiCode(u'\u0101'), '?');  // a with macron: no best fit to a
    EXPECT_EQ(SystemAnsiCode(u'\u03B1'), '?');  // Greek small alpha
    EXPECT_EQ(SystemAnsiCode(u'?'), '?');
}

TEST_F(CodigoAnsiDelSistema1252, FiltrarTeclaConElConversorDelSistema) {
    const auto filtrar = [](char16_t tecla, std::u16string_view permitidos) {
        std::int16_t KeyAscii = SystemAnsiCode(tecla);
        FiltrarTecla(KeyAscii, permitidos, SystemAnsiChar, SystemAnsiCodePageKind());
        return KeyAscii;
    };
    EXPECT_EQ(SystemAnsiCodePageKind(), AnsiCodePageKind::OneOrTwoBytes);
    EXPECT_EQ(filtrar(u'ñ', PermitidosNormal), 241);
    EXPECT_EQ(filtrar(u'Ñ', PermitidosClave), 209);
    EXPECT_EQ(filtrar(u'7', PermitidosNormal), 0);
    EXPECT_EQ(filtrar(u'7', PermitidosClave), '7');
    EXPECT_EQ(filtrar(u'a', PermitidosClave), 0);
    EXPECT_EQ(filtrar(u'á', PermitidosNormal), 0);
    EXPECT_EQ(filtrar(u' ', PermitidosNormal), 0);
    EXPECT_EQ(filtrar(u'\u0101', PermitidosNormal), 0);  // becomes '?', refused
    EXPECT_EQ(filtrar(u'\b', PermitidosNormal), 8);
    EXPECT_EQ(filtrar(u'\r', PermitidosClave), 0);
}

}  // namespace
}  // namespace kalvenor::forms
