// The probe: a WH_GETMESSAGE hook procedure that the end-to-end driver installs
// on Kalvenor's user-interface thread. Wine loads this DLL into the program,
// where the hook answers the driver's questions about menus and watches the
// main window's timer (the protocol is in ProtocoloSonda.h). Everything here
// runs on the program's one user-interface thread, so no locking is needed.

#include <windows.h>

#include "ProtocoloSonda.h"

namespace {

using kalvenor::e2e::Consulta;

struct Vigilada {
    HWND ventana = nullptr;
    LPARAM tics = 0;
    LPARAM antesDelPrimerTic = 0;
};

// Windows seen with a Timer1 tick, oldest first; the oldest is reused when full.
constexpr int kMaximoVigiladas = 64;
Vigilada vigiladas[kMaximoVigiladas];
int siguienteLibre = 0;

UINT MensajeConsulta() {
    static const UINT mensaje = ::RegisterWindowMessageW(kalvenor::e2e::kMensajeConsulta);
    return mensaje;
}

UINT MensajeRespuesta() {
    static const UINT mensaje = ::RegisterWindowMessageW(kalvenor::e2e::kMensajeRespuesta);
    return mensaje;
}

Vigilada* Buscar(HWND ventana) {
    for (Vigilada& v : vigiladas)
        if (v.ventana == ventana) return &v;
    return nullptr;
}

Vigilada& BuscarOCrear(HWND ventana) {
    if (Vigilada* v = Buscar(ventana)) return *v;
    Vigilada& nueva = vigiladas[siguienteLibre];
    siguienteLibre = (siguienteLibre + 1) % kMaximoVigiladas;
    nueva = Vigilada{ventana, 0, 0};
    return nueva;
}

bool MenuSistemaTieneMover(HWND ventana) {
    HMENU menu = ::GetSystemMenu(ventana, FALSE);
    return menu && ::GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// The window's own font, selected into a DC of the window for measuring.
struct ConSuFuente {
    explicit ConSuFuente(HWND v)
        : ventana(v),
          dc(::GetDC(v)),
          fuente(reinterpret_cast<HFONT>(::SendMessageW(v, WM_GETFONT, 0, 0))),
          anterior(::SelectObject(dc, fuente ? static_cast<HGDIOBJ>(fuente) : ::GetStockObject(SYSTEM_FONT))) {}
    ~ConSuFuente() {
        ::SelectObject(dc, anterior);
        ::ReleaseDC(ventana, dc);
    }
    HWND ventana;
    HDC dc;
    HFONT fuente;
    HGDIOBJ anterior;
};

LPARAM FuenteDelControl(HWND ventana) {
    ConSuFuente medida(ventana);
    LOGFONTW pedida{};
    if (!medida.fuente || !::GetObjectW(medida.fuente, sizeof(pedida), &pedida)) return -1;
    wchar_t cara[LF_FACESIZE] = {};
    ::GetTextFaceW(medida.dc, LF_FACESIZE, cara);
    const bool encontrada = ::lstrcmpiW(cara, pedida.lfFaceName) == 0;
    const LPARAM alto = pedida.lfHeight < 0 ? -pedida.lfHeight : pedida.lfHeight;
    return (alto & 0xFFFF) | (static_cast<LPARAM>(pedida.lfWeight & 0xFFFF) << 16) |
           (encontrada ? static_cast<LPARAM>(1) << 32 : 0);
}

LPARAM AnchoDelTexto(HWND ventana) {
    wchar_t texto[256] = {};
    const int largo = ::GetWindowTextW(ventana, texto, 256);
    ConSuFuente medida(ventana);
    SIZE extension{};
    ::GetTextExtentPoint32W(medida.dc, texto, largo, &extension);
    RECT cliente{};
    ::GetClientRect(ventana, &cliente);
    return static_cast<LPARAM>(static_cast<DWORD>(extension.cx)) | (static_cast<LPARAM>(cliente.right) << 32);
}

// High contrast as the program sees it: its import of SystemParametersInfoW is
// redirected here once, and adds the flag while altoContraste holds.
bool altoContraste = false;
using Parametros = decltype(&::SystemParametersInfoW);
Parametros parametrosDelSistema = nullptr;

BOOL WINAPI ParametrosConAltoContraste(UINT accion, UINT valor, PVOID datos, UINT banderas) {
    const BOOL hecho = parametrosDelSistema(accion, valor, datos, banderas);
    if (hecho && accion == SPI_GETHIGHCONTRAST && altoContraste)
        static_cast<HIGHCONTRASTW*>(datos)->dwFlags |= HCF_HIGHCONTRASTON;
    return hecho;
}

// Points the main module's imported address of `original` at `nueva`.
bool RedirigirImportacion(ULONG_PTR original, ULONG_PTR nueva) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& tabla = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + tabla.VirtualAddress); dll->Name; ++dll) {
        for (auto* entrada = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk); entrada->u1.Function;
             ++entrada) {
            if (entrada->u1.Function != original) continue;
            DWORD proteccion = 0;
            ::VirtualProtect(&entrada->u1.Function, sizeof(ULONG_PTR), PAGE_READWRITE, &proteccion);
            entrada->u1.Function = nueva;
            ::VirtualProtect(&entrada->u1.Function, sizeof(ULONG_PTR), proteccion, &proteccion);
            return true;
        }
    }
    return false;
}

LPARAM SimularAltoContraste(HWND ventana, bool encendido) {
    if (!parametrosDelSistema) {
        const auto original =
            reinterpret_cast<ULONG_PTR>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW"));
        parametrosDelSistema = reinterpret_cast<Parametros>(original);
        if (!RedirigirImportacion(original, reinterpret_cast<ULONG_PTR>(&ParametrosConAltoContraste)))
            parametrosDelSistema = nullptr;
    }
    altoContraste = encendido;
    ::SendMessageW(ventana, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    return parametrosDelSistema ? 1 : 0;
}

LPARAM Responder(HWND ventana, WPARAM pregunta) {
    const auto consulta = static_cast<Consulta>(pregunta & 0xFF);
    const int a = static_cast<int>((pregunta >> 8) & 0xFF);
    const int b = static_cast<int>((pregunta >> 16) & 0xFF);
    switch (consulta) {
    case Consulta::MenuSistemaTieneMover:
        return MenuSistemaTieneMover(ventana) ? 1 : 0;
    case Consulta::TicsTimer1: {
        const Vigilada* v = Buscar(ventana);
        return v ? v->tics : 0;
    }
    case Consulta::EstadoAntesDelPrimerTic: {
        const Vigilada* v = Buscar(ventana);
        return v ? v->antesDelPrimerTic : 0;
    }
    case Consulta::ElementosBarraMenu:
        return ::GetMenuItemCount(::GetMenu(ventana));
    case Consulta::IdElementoMenu:
        return static_cast<LPARAM>(static_cast<int>(::GetMenuItemID(::GetSubMenu(::GetMenu(ventana), a), b)));
    case Consulta::FuenteDelControl:
        return FuenteDelControl(ventana);
    case Consulta::AnchoDelTexto:
        return AnchoDelTexto(ventana);
    case Consulta::AltoContraste:
        return SimularAltoContraste(ventana, a != 0);
    }
    return -1;
}

void AnotarTic(HWND ventana) {
    Vigilada& v = BuscarOCrear(ventana);
    if (v.tics == 0) {
        LPARAM estado = kalvenor::e2e::kAntesTicAnotado;
        if (::GetWindowLongW(ventana, GWL_EXSTYLE) & WS_EX_TOPMOST) estado |= kalvenor::e2e::kAntesTicTopmost;
        if (MenuSistemaTieneMover(ventana)) estado |= kalvenor::e2e::kAntesTicMover;
        v.antesDelPrimerTic = estado;
    }
    ++v.tics;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KalvenorSondaGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* mensaje = reinterpret_cast<MSG*>(lParam);
        if (mensaje->message == MensajeConsulta() && mensaje->hwnd) {
            const LPARAM respuesta = Responder(mensaje->hwnd, mensaje->wParam);
            ::PostThreadMessageW(static_cast<DWORD>(mensaje->lParam), MensajeRespuesta(), mensaje->wParam, respuesta);
            mensaje->message = WM_NULL;
        } else if (mensaje->message == WM_TIMER && mensaje->wParam == kalvenor::e2e::kIdTimer1 && mensaje->hwnd) {
            AnotarTic(mensaje->hwnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
