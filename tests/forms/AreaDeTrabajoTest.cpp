// A window kept whole on its monitor's work area, along one axis (pixels).

#include "forms/core/WorkArea.h"

#include <gtest/gtest.h>

namespace kalvenor::forms {
namespace {

TEST(AreaDeTrabajo, LaVentanaQuedaDondeCabeYSiNoVuelveJustoDentroDelBorde) {
    const struct {
        int inicio, largo, desde, hasta, esperado;
    } casos[] = {
        {990, 297, 0, 1366, 990},       // fits: stays
        {1069, 297, 0, 1366, 1069},     // flush with the right edge
        {2263, 318, 0, 2560, 2242},     // 21 px past the right edge
        {6336, 588, 0, 3840, 3252},     // wholly beyond the edge
        {1894, 278, 0, 2130, 1852},     // below the taskbar's top
        {-40, 297, 0, 1366, 0},         // before the left edge
        {-1500, 297, -1920, 0, -1500},  // a monitor left of the primary one
        {100, 900, 0, 768, 0},          // longer than the area: its start inside
    };
    for (const auto& c : casos)
        EXPECT_EQ(StartInsideArea(c.inicio, c.largo, c.desde, c.hasta), c.esperado)
            << c.inicio << " + " << c.largo << " in [" << c.desde << ", " << c.hasta << ")";
}

}  // namespace
}  // namespace kalvenor::forms
