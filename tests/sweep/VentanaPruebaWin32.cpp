#include "VentanaPruebaWin32.h"

#include <cmath>

namespace kalvenor::prueba {

namespace {

constexpr wchar_t kClase[] = L"KalvenorPruebaBarrido";

int APixeles(float twips) { return static_cast<int>(std::lround(twips / TwipsPorPixel())); }

}  // namespace

float TwipsPorPixel() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96);
}

float PantallaWin32::Width() const { return GetSystemMetrics(SM_CXSCREEN) * TwipsPorPixel(); }
float PantallaWin32::Height() const { return GetSystemMetrics(SM_CYSCREEN) * TwipsPorPixel(); }
float PantallaWin32::TwipsPerPixelY() const { return TwipsPorPixel(); }

VentanaPruebaWin32::VentanaPruebaWin32(int x, int y, int anchoPixeles, int altoPixeles,
                                       int alturaMinimaPixeles)
    : alturaMinimaPixeles_(alturaMinimaPixeles) {
    HINSTANCE instancia = GetModuleHandleW(nullptr);
    WNDCLASSEXW clase{};
    if (!GetClassInfoExW(instancia, kClase, &clase)) {
        clase = {};
        clase.cbSize = sizeof clase;
        clase.lpfnWndProc = Procedimiento;
        clase.hInstance = instancia;
        clase.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        clase.hbrBackground = CreateSolidBrush(RGB(255, 128, 128));
        clase.lpszClassName = kClase;
        RegisterClassExW(&clase);
    }
    // Fixed single border: a caption, no sizing border.
    hwnd_ = CreateWindowExW(0, kClase, L"Kalvenor barrido", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                            x, y, anchoPixeles, altoPixeles, nullptr, nullptr, instancia, this);
}

VentanaPruebaWin32::~VentanaPruebaWin32() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT CALLBACK VentanaPruebaWin32::Procedimiento(HWND hwnd, UINT mensaje, WPARAM wParam,
                                                   LPARAM lParam) {
    if (mensaje == WM_NCCREATE) {
        auto* crear = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(crear->lpCreateParams));
    }
    auto* ventana = reinterpret_cast<VentanaPruebaWin32*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (ventana != nullptr && mensaje == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.y = ventana->alturaMinimaPixeles_;
        return 0;
    }
    if (mensaje == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, mensaje, wParam, lParam);
}

RECT VentanaPruebaWin32::Rectangulo() const {
    RECT r{};
    if (hwnd_ != nullptr) GetWindowRect(hwnd_, &r);
    return r;
}

RECT VentanaPruebaWin32::RectanguloVivo() const {
    if (hwnd_ == nullptr) ++accesosTrasDescarga;
    return Rectangulo();
}

void VentanaPruebaWin32::Posicionar(int x, int y, int cx, int cy, UINT flags) {
    if (hwnd_ == nullptr) {
        ++accesosTrasDescarga;
        return;
    }
    SetWindowPos(hwnd_, nullptr, x, y, cx, cy, flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

float VentanaPruebaWin32::Left() const { return RectanguloVivo().left * TwipsPorPixel(); }
float VentanaPruebaWin32::Top() const { return RectanguloVivo().top * TwipsPorPixel(); }
float VentanaPruebaWin32::Width() const {
    const RECT r = RectanguloVivo();
    return (r.right - r.left) * TwipsPorPixel();
}
float VentanaPruebaWin32::Height() const {
    const RECT r = RectanguloVivo();
    return (r.bottom - r.top) * TwipsPorPixel();
}

void VentanaPruebaWin32::SetTop(float twips) {
    const RECT r = RectanguloVivo();
    Posicionar(r.left, APixeles(twips), 0, 0, SWP_NOSIZE);
}

void VentanaPruebaWin32::SetHeight(float twips) {
    const RECT r = RectanguloVivo();
    const int alto = APixeles(twips);
    Posicionar(0, 0, r.right - r.left, alto < 0 ? 0 : alto, SWP_NOMOVE);
}

void VentanaPruebaWin32::Move(float left, float top) {
    Posicionar(APixeles(left), APixeles(top), 0, 0, SWP_NOSIZE);
}

forms::Handle VentanaPruebaWin32::hWnd() const {
    if (hwnd_ == nullptr) ++accesosTrasDescarga;
    return reinterpret_cast<forms::Handle>(hwnd_);
}

void VentanaPruebaWin32::Unload() {
    if (hwnd_ == nullptr) {
        ++accesosTrasDescarga;
        return;
    }
    ++descargas;
    if (alDescargar) alDescargar();
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

void VentanaPruebaWin32::Mostrar() { ShowWindow(hwnd_, SW_SHOWNOACTIVATE); }

}  // namespace kalvenor::prueba
