// The yardstick of the start-up benchmark: the least a Win32 program does to
// show a captioned window, built with the same toolchain and options as
// Kalvenor.exe. No manifest, no common controls, no COM
// (VentanaDesnudaManifiesto.exe is the same with Kalvenor's manifest).

#include <windows.h>

namespace {

LRESULT CALLBACK ProcedimientoVentana(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam) {
    if (mensaje == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(ventana, mensaje, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int mostrar) {
    WNDCLASSEXW clase{};
    clase.cbSize = sizeof(clase);
    clase.lpfnWndProc = ProcedimientoVentana;
    clase.hInstance = instancia;
    clase.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    clase.lpszClassName = L"KalvenorVentanaDesnuda";
    if (!::RegisterClassExW(&clase)) return 1;
    HWND ventana = ::CreateWindowExW(0, clase.lpszClassName, L"Ventana desnuda",
                                     WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                     CW_USEDEFAULT, 440, 380, nullptr, nullptr, instancia, nullptr);
    if (!ventana) return 1;
    ::ShowWindow(ventana, mostrar);
    MSG mensaje{};
    while (::GetMessageW(&mensaje, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&mensaje);
        ::DispatchMessageW(&mensaje);
    }
    return static_cast<int>(mensaje.wParam);
}
