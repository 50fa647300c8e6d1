// The portable Windows-1252 table of the forms core.

#include <gtest/gtest.h>

#include <cstdint>

#include "Windows1252.h"

namespace kalvenor::pruebas {
namespace {

// The table itself is checked against the system's code page under Wine
// (CodigoAnsiSistemaTest); here only what lies outside it.

TEST(CaracterWindows1252, CodigosFueraDeUnByteNoSonNingunCaracter) {
    for (const std::int16_t codigo : {-1, -15439, -32768, 256, 300, 32767}) {
        EXPECT_EQ(CaracterWindows1252(codigo), u'\uFFFD') << "código " << codigo;
    }
}

}  // namespace
}  // namespace kalvenor::pruebas
