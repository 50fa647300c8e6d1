// The portable Windows-1252 table of the forms core.

#include <gtest/gtest.h>

#include <cstdint>

#include "Windows1252.h"

namespace kalvenor::prueba {
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

TEST(CaracterWindows1252, ElTramoDe80a9F) {
  EXPECT_EQ(CaracterWindows1252(0x80), u'\u20AC');  // euro sign
  EXPECT_EQ(CaracterWindows1252(0x82), u'\u201A');
  EXPECT_EQ(CaracterWindows1252(0x83), u'\u0192');
  EXPECT_EQ(CaracterWindows1252(0x85), u'\u2026');
  EXPECT_EQ(CaracterWindows1252(0x8A), u'\u0160');
  EXPECT_EQ(CaracterWindows1252(0x8C), u'\u0152');
  EXPECT_EQ(CaracterWindows1252(0x8E), u'\u017D');
  EXPECT_EQ(CaracterWindows1252(0x91), u'\u2018');
  EXPECT_EQ(CaracterWindows1252(0x93), u'\u201C');
  EXPECT_EQ(CaracterWindows1252(0x96), u'\u2013');
  EXPECT_EQ(CaracterWindows1252(0x97), u'\u2014');
  EXPECT_EQ(CaracterWindows1252(0x99), u'\u2122');
  EXPECT_EQ(CaracterWindows1252(0x9A), u'\u0161');
  EXPECT_EQ(CaracterWindows1252(0x9C), u'\u0153');
  EXPECT_EQ(CaracterWindows1252(0x9E), u'\u017E');
  EXPECT_EQ(CaracterWindows1252(0x9F), u'\u0178');
  // Left undefined by the code page: the control character of that number.
  for (const std::int16_t codigo : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(CaracterWindows1252(codigo), static_cast<char16_t>(codigo));
  }
}

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
}  // namespace kalvenor::prueba
