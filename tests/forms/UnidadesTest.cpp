// Twips and pixels at the screen resolutions the program meets.

#include "forms/core/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kalvenor::forms {
namespace {

struct CasoPixeles {
    double twips;
    int ppp;
    int pixeles;
};

TEST(Unidades, TwipsAPixelesRedondeaAlMasCercanoYLasMitadesLejosDeCero) {
    // clang-format off
    const CasoPixeles casos[] = {
        // The main window's designed client area.
        {6480, 96, 432}, {4800, 96, 320}, {6480, 120, 540}, {4800, 120, 400},
        {6480, 144, 648}, {4800, 144, 480}, {6480, 192, 864}, {4800, 192, 640},
        // Halves, on both sides of zero alike.
        {7.5, 96, 1}, {-7.5, 96, -1}, {22.5, 96, 2}, {-22.5, 96, -2},
        {90, 120, 8}, {-90, 120, -8}, {150, 120, 13}, {375, 144, 38}, {-375, 144, -38},
        {7.4, 96, 0}, {7.6, 96, 1}, {-7.4, 96, 0},
        // Not a whole twip.
        {5610.5, 96, 374}, {3007.5, 192, 401},
        // No resolution known: 96 dpi.
        {4800, 0, 320}, {4800, -1, 320},
    };
    // clang-format on
    for (const CasoPixeles& caso : casos)
        EXPECT_EQ(PixelsFromTwips(caso.twips, caso.ppp), caso.pixeles) << caso.twips << " twips at " << caso.ppp;
}

TEST(Unidades, FueraDelRangoDeIntSatura) {
    EXPECT_EQ(PixelsFromTwips(1e12, 96), std::numeric_limits<int>::max());
    EXPECT_EQ(PixelsFromTwips(-1e12, 96), std::numeric_limits<int>::min());
    EXPECT_EQ(PixelsFromTwips(std::numeric_limits<double>::infinity(), 120), std::numeric_limits<int>::max());
    EXPECT_EQ(PixelsFromTwips(std::nan(""), 120), 0);
}

TEST(Unidades, LosPixelesVuelvenIgualesDeSusTwips) {
    for (int ppp : {96, 120, 144, 168, 192, 240, 72}) {
        for (int pixeles = -3000; pixeles <= 20000; ++pixeles) {
            const float twips = TwipsFromPixels(pixeles, ppp);
            ASSERT_EQ(PixelsFromTwips(twips, ppp), pixeles) << pixeles << " px at " << ppp;
        }
    }
}

TEST(Unidades, LosPixelesSonExactosEnTwipsALasResolucionesHabituales) {
    const struct {
        int ppp;
        float twipsPorPixel;
    } casos[] = {{96, 15.0f}, {120, 12.0f}, {144, 10.0f}, {192, 7.5f}};
    for (const auto& caso : casos) {
        EXPECT_EQ(TwipsPerPixel(caso.ppp), caso.twipsPorPixel);
        for (int pixeles : {0, 1, 27, 401, 768, 1024, 2731, 100000})
            EXPECT_EQ(TwipsFromPixels(pixeles, caso.ppp), static_cast<float>(pixeles) * caso.twipsPorPixel)
                << pixeles << " px at " << caso.ppp;
    }
}

}  // namespace
}  // namespace kalvenor::forms
