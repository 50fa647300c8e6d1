#include "forms/win32/Screen.h"

#include <windows.h>

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

namespace {

struct Dpi {
    int x;
    int y;
};

// The program is aware of the system's dpi, which stays the same for the
// whole run: it is read once, not at every conversion.
Dpi ScreenDpi() {
    static const Dpi dpi = [] {
        WindowDc screen(nullptr);
        return Dpi{::GetDeviceCaps(screen.get(), LOGPIXELSX), ::GetDeviceCaps(screen.get(), LOGPIXELSY)};
    }();
    return dpi;
}

}  // namespace

float SystemScreen::Width() const { return TwipsX(::GetSystemMetrics(SM_CXSCREEN)); }
float SystemScreen::Height() const { return TwipsY(::GetSystemMetrics(SM_CYSCREEN)); }
float SystemScreen::TwipsPerPixelX() const { return TwipsPerPixel(ScreenDpi().x); }
float SystemScreen::TwipsPerPixelY() const { return TwipsPerPixel(ScreenDpi().y); }

TwipsRect SystemScreen::WorkArea() const {
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {TwipsX(area.left), TwipsY(area.top), TwipsX(area.right), TwipsY(area.bottom)};
}

const SystemScreen& TheScreen() {
    static const SystemScreen screen;
    return screen;
}

int PixelsX(double twips) { return PixelsFromTwips(twips, ScreenDpi().x); }
int PixelsY(double twips) { return PixelsFromTwips(twips, ScreenDpi().y); }
float TwipsX(int pixels) { return TwipsFromPixels(pixels, ScreenDpi().x); }
float TwipsY(int pixels) { return TwipsFromPixels(pixels, ScreenDpi().y); }

}  // namespace kalvenor::forms
