// The portable Windows-1252 table of the forms core.

#include <gtest/gtest.h>

#include <cstdint>

#include "Windows1252.h"

namespace kalvenor::pruebas {
namespace {

TEST(CaracterWindows1252, AsciiYLatin1SonElMismoNumero) {
    for (std::int16_t codigo = 0; codigo <= 0x7F; ++codigo) {
        EXPECT_EQ(CaracterWindows1252(codigo), static_cast<char16_t>(codigo));
    }
    for (std::int16_t codigo = 0xA0; codigo <= 0xFF; ++codigo) {
        EXPECT_EQ(CaracterWindows1252(codigo), static_cast<char16_t>(codigo));
    }
    EXPECT_EQ(CaracterWindows1252(209), u'Ñ');
    EXPECT_EQ(CaracterWindows1252(241), u'ñ');
    EXPECT_EQ(CaracterWindows1252(225), u'á');
    EXPECT_EQ(CaracterWindows1252(191), u'¿');
}

// The whole table is checked against the system's code page under Wine
// (CodigoAnsiSistemaTest); here only what holds for any machine.

TEST(CaracterWindows1252, CadaCodigoTieneSuPropioCaracter) {
    for (std::int16_t a = 0; a <= 0xFF; ++a) {
        for (std::int16_t b = static_cast<std::int16_t>(a + 1); b <= 0xFF; ++b) {
            ASSERT_NE(CaracterWindows1252(a), CaracterWindows1252(b)) << a << " y " << b;
        }
    }
}

TEST(CaracterWindows1252, CodigosFueraDeUnByteNoSonNingunCaracter) {
    for (const std::int16_t codigo : {-1, -15439, -32768, 256, 300, 32767}) {
        EXPECT_EQ(CaracterWindows1252(codigo), u'\uFFFD') << "código " << codigo;
    }
}

}  // namespace
}  // namespace kalvenor::pruebas
