#pragma once
// What the end-to-end driver and the probe DLL (Sonda.cpp) say to each other.
//
// Menus cannot be read across processes under Wine, so the driver installs a
// WH_GETMESSAGE hook on the program's user-interface thread; Wine loads this
// DLL into the program, and the hook answers questions from inside it:
//   - the driver posts kMensajeConsulta to one of the program's windows, with
//     wParam = the question | (argument a << 8) | (argument b << 16) and
//     lParam = the driver's thread id;
//   - the hook, seeing the message retrieved, answers with PostThreadMessage to
//     that thread: kMensajeRespuesta, wParam = the same wParam, lParam = the
//     answer; and turns the message into WM_NULL, so the program never sees it.
// The hook also watches every window's WM_TIMER with the id of the forms
// layer's first timer (Timer1), and notes the window's state just before the
// first one is handed on to the program.

#include <windows.h>

#include "forms/core/TimerIds.h"

namespace kalvenor::e2e {

inline constexpr wchar_t kMensajeConsulta[] = L"Kalvenor.e2e.Sonda.Consulta";
inline constexpr wchar_t kMensajeRespuesta[] = L"Kalvenor.e2e.Sonda.Respuesta";

// The main window's one Timer is the first of its form (forms/core/TimerIds.h).
inline constexpr WPARAM kIdTimer1 = forms::IdOf(forms::TimerId::FirstTimer);

// The questions (low byte of wParam).
enum class Consulta : unsigned {
    // 1 when the window's system menu holds SC_MOVE now, else 0.
    MenuSistemaTieneMover = 1,
    // The number of WM_TIMER messages of Timer1 retrieved for this window
    // since the hook was installed.
    TicsTimer1 = 2,
    // The state just before the window's first Timer1 tick was handed on:
    // bit 0 WS_EX_TOPMOST set, bit 1 SC_MOVE in the system menu, bit 2 the
    // state was recorded at all (no tick seen yet: 0).
    EstadoAntesDelPrimerTic = 3,
    // GetMenuItemCount of the window's menu bar.
    ElementosBarraMenu = 4,
    // GetMenuItemID of item b of the popup at position a of the menu bar.
    IdElementoMenu = 5,
    // The control's font (WM_GETFONT) as GetObject gives it: bits 0-15 the
    // height in pixels (without sign), bits 16-31 the weight, bit 32 set when
    // the face drawn with (GetTextFace) is the face asked for.
    FuenteDelControl = 6,
    // The width in pixels of the control's text drawn in its font (bits
    // 0-31) and of its client area (bits 32-63).
    AnchoDelTexto = 7,
    // Wine 8 cannot switch high contrast on (SPI_SETHIGHCONTRAST fails), so
    // the probe does it for the program alone: with a 1, its
    // SystemParametersInfoW reports HCF_HIGHCONTRASTON from then on, with a
    // 0 no more; either way the window is then told, with WM_SETTINGCHANGE
    // for SPI_SETHIGHCONTRAST, as Windows tells every window. Answers 1 once
    // the program's import of the function has been redirected, else 0.
    AltoContraste = 8,
};

inline constexpr LPARAM kAntesTicTopmost = 1;
inline constexpr LPARAM kAntesTicMover = 2;
inline constexpr LPARAM kAntesTicAnotado = 4;

inline constexpr WPARAM CodificarConsulta(Consulta consulta, unsigned a = 0, unsigned b = 0) {
    return static_cast<WPARAM>(static_cast<unsigned>(consulta) | ((a & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The hook procedure's exported name.
inline constexpr char kNombreProcedimiento[] = "KalvenorSondaGetMessage";

}  // namespace kalvenor::e2e
