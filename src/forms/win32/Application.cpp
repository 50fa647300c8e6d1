#include "forms/win32/Application.h"

#include <windows.h>

#include "forms/core/Unidades.h"
#include "forms/win32/Form.h"
#include "forms/win32/Handles.h"
#include "forms/win32/InformeErrores.h"

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

// Keyboard navigation between controls, as in a dialog, then the usual dispatch.
void Dispatch(MSG& message) {
    HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Form::IsFormWindow(root) && ::IsDialogMessageW(root, &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunApplication(Form& startup) {
    ProtegerLlamada([&] { startup.Show(); });
    if (Form::LoadedFormCount() == 0) return 0;
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got > 0) {
            Dispatch(message);
            continue;
        }
        // A form can load again after the last one unloaded, within one
        // dispatch (a show request of another copy reloads a window that was
        // sweeping shut): the quit asked for meanwhile is void then.
        if (got < 0 || Form::LoadedFormCount() == 0) break;
    }
    return static_cast<int>(message.wParam);
}

float Screen::Width() const { return TwipsX(::GetSystemMetrics(SM_CXSCREEN)); }
float Screen::Height() const { return TwipsY(::GetSystemMetrics(SM_CYSCREEN)); }
float Screen::TwipsPerPixelX() const { return TwipsPorPixel(ScreenDpi().x); }
float Screen::TwipsPerPixelY() const { return TwipsPorPixel(ScreenDpi().y); }

RectanguloTwips Screen::WorkArea() const {
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {TwipsX(area.left), TwipsY(area.top), TwipsX(area.right), TwipsY(area.bottom)};
}

const Screen& TheScreen() {
    static const Screen screen;
    return screen;
}

int PixelsX(double twips) { return PixelesDesdeTwips(twips, ScreenDpi().x); }
int PixelsY(double twips) { return PixelesDesdeTwips(twips, ScreenDpi().y); }
float TwipsX(int pixels) { return TwipsDesdePixeles(pixels, ScreenDpi().x); }
float TwipsY(int pixels) { return TwipsDesdePixeles(pixels, ScreenDpi().y); }

}  // namespace kalvenor::forms
