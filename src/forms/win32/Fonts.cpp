#include "forms/win32/Fonts.h"

#include <string>
#include <vector>

#include "forms/core/Units.h"
#include "forms/win32/Controls.h"
#include "forms/win32/Handles.h"

namespace kalvenor::forms {

namespace {

struct CachedFont {
    std::wstring face;
    double points;
    bool bold;
    UniqueFont font;
};

const LOGFONTW* MessageFont() {
    static const NONCLIENTMETRICSW metrics = [] {
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof(m);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0)) m.cbSize = 0;
        return m;
    }();
    return metrics.cbSize != 0 ? &metrics.lfMessageFont : nullptr;
}

UniqueFont CreateMessageFont() {
    const LOGFONTW* font = MessageFont();
    return UniqueFont(font ? ::CreateFontIndirectW(font) : static_cast<HFONT>(nullptr));
}

UniqueFont CreateDesignedFont(const FontDesign& design) {
    LOGFONTW logFont{};
    logFont.lfHeight = -PixelsY(design.points * kTwipsPerPoint);
    logFont.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = DEFAULT_QUALITY;
    design.face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&logFont));
}

}  // namespace

HFONT SharedFont(const FontDesign* design) {
    static UniqueFont messageFont = CreateMessageFont();
    static std::vector<CachedFont> fonts;
    if (!design) return messageFont ? messageFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

    for (const CachedFont& cached : fonts) {
        if (cached.face == design->face && cached.points == design->points && cached.bold == design->bold)
            return cached.font.get();
    }
    fonts.push_back({std::wstring(design->face), design->points, design->bold, CreateDesignedFont(*design)});
    return fonts.back().font.get();
}

}  // namespace kalvenor::forms
