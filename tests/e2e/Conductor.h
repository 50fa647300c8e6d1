#pragma once
// The end-to-end driver: starts the real Kalvenor.exe as a separate process
// with a settings folder of its own, finds its windows and controls, drives
// them from outside (messages and real keyboard input) and waits for
// conditions. Every wait is a wait for a condition with a generous time-out.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ProtocoloSonda.h"
#include "Sistema.h"

namespace kalvenor::e2e {

// The time-out of every wait for something the program should do.
inline constexpr std::chrono::milliseconds kEsperaLarga{15000};

// Captions, as the windows give them.
inline constexpr std::wstring_view kPrefijoTituloPrincipal = L"Kalvenor 1.0";
inline constexpr std::wstring_view kTituloOpciones = L"Opciones";
inline constexpr std::wstring_view kTituloAcercaDe = L"Acerca de...";

// Positions of the top items on the menu bar (for the keyboard).
inline constexpr int kMenuArchivo = 0;
inline constexpr int kMenuHerramientas = 1;
inline constexpr int kMenuAyuda = 2;
// Each command is the one item under its top item.
inline constexpr int kSalir = kMenuArchivo;
inline constexpr int kOpciones = kMenuHerramientas;
inline constexpr int kAcercaDe = kMenuAyuda;

// The section header of the settings file as bytes of the ANSI code page
// (Windows-1252: "ó" is 0xF3).
inline const std::string kCabeceraSeccion = "[Configuraci\xF3nGeneral]";

// True as soon as the condition holds; false when the time-out passes first.
// The condition is checked every few milliseconds, with a sleep in between:
// the windows waited on are the program's (pruebas::BombearHasta waits on
// this thread's own windows, answering their messages).
bool EsperarHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite = kEsperaLarga);

// A Windows path for a Unix one (Wine maps Z: to /); Windows paths are kept.
std::wstring RutaWindows(std::string_view ruta);

using pruebas::CarpetaTemporal;
using pruebas::EscribirBytes;
using pruebas::LeerBytes;
using pruebas::LineasDe;
using pruebas::PuntosPorPulgada;

// A settings file with the section and the given "key=value" lines.
std::string ArchivoPreferencias(const std::vector<std::string>& lineas);

// --- Windows and controls, from outside ---------------------------------

std::wstring Texto(HWND ventana);                        // WM_GETTEXT
void PonerTexto(HWND ventana, std::wstring_view texto);  // WM_SETTEXT
std::wstring Clase(HWND ventana);
RECT Rectangulo(HWND ventana);  // GetWindowRect
// GetWindowRect of a window that may be going away: nothing once it is gone.
std::optional<RECT> RectanguloSiExiste(HWND ventana);
// The window's rectangle, sampled every few milliseconds until the window is
// gone; false when it is still there after the time-out.
bool MuestrearHastaQueDesaparezca(HWND ventana, std::vector<RECT>& muestras);
SIZE TamanoCliente(HWND ventana);  // GetClientRect
int Alto(HWND ventana);
// The control that has the keyboard focus on the window's thread.
HWND Foco(HWND ventana);
bool EsTopmost(HWND ventana);
// The opacity set with SetLayeredWindowAttributes (LWA_ALPHA), if any.
std::optional<BYTE> Opacidad(HWND ventana);
// BM_CLICK, sent: returns when the program has handled the click.
void Pulsar(HWND boton);
int PosicionDeslizador(HWND deslizador);              // TBM_GETPOS
void MoverDeslizador(HWND deslizador, int posicion);  // TBM_SETPOS
bool Marcada(HWND casilla);                           // BM_GETCHECK

// The child windows of the class, top to bottom, then left to right.
std::vector<HWND> Hijos(HWND padre, std::wstring_view clase);
// The child of the class with exactly this text, or null.
HWND HijoConTexto(HWND padre, std::wstring_view clase, std::wstring_view texto);

// A top-level window of another program (the driver), topmost, on a thread of
// its own that answers its messages: one to take the foreground from Kalvenor
// or, of the class "Shell_TrayWnd" and with no caption, a taskbar where the
// test puts it. A class the system does not know is registered for it.
class OtraAplicacion {
public:
    explicit OtraAplicacion(const wchar_t* clase = L"STATIC", const wchar_t* titulo = L"Otra aplicación",
                            RECT r = {200, 200, 500, 400});
    ~OtraAplicacion();
    OtraAplicacion(const OtraAplicacion&) = delete;
    OtraAplicacion& operator=(const OtraAplicacion&) = delete;
    HWND Ventana() const { return ventana_; }

private:
    std::atomic<HWND> ventana_{nullptr};
    std::atomic<DWORD> idHilo_{0};
    std::thread hilo_;
};

// The end of the session as Windows announces it to a top-level window: the
// question (WM_QUERYENDSESSION), then, after a yes, the news (WM_ENDSESSION
// with TRUE), both with the reason given. False when the answer was no.
bool FinDeSesion(HWND ventana, LPARAM motivo);

// The controls by the names the windows give them.
struct ControlesPrincipal {
    HWND txtNormal = nullptr;    // upper box, plain text
    HWND txtClave = nullptr;     // lower box, code text
    HWND cmdTraducir = nullptr;  // "ZorbiTraducción"
    HWND cmdRegresar = nullptr;  // "Regresar a normal"
};
ControlesPrincipal ControlesDePrincipal(HWND principal);

struct ControlesOpciones {
    HWND sliPaso = nullptr;      // upper slider, 50 to 600
    HWND sliOpacidad = nullptr;  // lower slider, 51 to 255
    HWND cheSiempreEncima = nullptr;
    HWND cheMovible = nullptr;
    HWND cmdAceptar = nullptr;
    HWND cmdCancelar = nullptr;
};
ControlesOpciones ControlesDeOpciones(HWND opciones);

// Where the opening main window's bottom edge stands: on the top edge of a
// taskbar along the bottom of the screen, or on the screen's bottom when the
// taskbar has no such rectangle (as under Wine outside a desktop of its own).
int LineaDeApertura();

// The main window's designed outer size in pixels: its client area (6480 x
// 4800 twips) plus caption, menu bar and border, as the platform adds them.
SIZE TamanoDisenadoPrincipal();
// A step of Barrido twips per tick, in whole pixels as the window takes it.
int PasoEnPixeles(int barrido);

// --- Real keyboard input -------------------------------------------------

// Presses and releases a key through SendInput, with a modifier (VK_SHIFT,
// VK_CONTROL, VK_MENU) held down around it when one is given.
void PulsarTecla(WORD teclaVirtual, WORD modificador = 0);
// Types each character with the key the keyboard layout gives it.
void Escribir(std::wstring_view texto);
// A left click at the middle of a window, by real mouse input.
void Clic(HWND ventana);
// A drag by real mouse input: press at `desde`, move by (dx, dy) in steps,
// release.
void Arrastrar(POINT desde, int dx, int dy);
// Puts a window of the program in the foreground, so that it gets the input.
bool TraerAlFrente(HWND ventana);

// --- The program ---------------------------------------------------------

// One run of Kalvenor.exe with %APPDATA% in a fresh temporary folder. The
// destructor ends the process (WM_CLOSE, then TerminateProcess) and removes
// the folder.
class Programa {
public:
    // With the settings file's bytes, the file is written before the start.
    explicit Programa(std::optional<std::string> archivoPreferencias = std::nullopt);
    // Another copy of the program (an installed or an unpacked one), at this
    // Windows path, run with the user's own %APPDATA%: its settings file is
    // the user's, and stays after the run.
    struct Copia {
        std::wstring exe;
    };
    explicit Programa(Copia copia);
    ~Programa();
    Programa(const Programa&) = delete;
    Programa& operator=(const Programa&) = delete;

    // Starts the process (the probe's hook on its thread before it runs) and
    // waits for it to be idle. False, with the reason in Error(), on failure.
    bool Iniciar();
    const std::string& Error() const noexcept { return error_; }

    DWORD Pid() const noexcept { return pid_; }
    bool Vivo() const;
    // Starts Kalvenor.exe a second time, with the same settings folder, and
    // waits for that copy to end: its exit code, or nothing when it is still
    // running after the time-out (it is then ended).
    std::optional<DWORD> ArrancarOtraCopia();

    // Waits for the process to end and gives its exit code.
    std::optional<DWORD> EsperarFin(std::chrono::milliseconds limite = kEsperaLarga);
    // WM_CLOSE to its windows (the main window last), then TerminateProcess.
    void Terminar();

    // The settings file: %APPDATA%\Kalvenor\Kalvenor of this run.
    std::wstring RutaPreferencias() const;
    std::optional<std::string> LeerPreferencias() const;

    // Top-level windows of the process with this exact caption, or whose
    // caption starts with this prefix.
    std::vector<HWND> Ventanas(std::wstring_view titulo, bool prefijo = false) const;
    HWND Principal() const;  // the main window, if loaded
    HWND Opciones() const;
    HWND AcercaDe() const;

    // Waits for a main window other than `anterior` (a new load) and returns it.
    HWND EsperarPrincipal(HWND anterior = nullptr);
    // Waits for the opening sweep to end: the window visible, grown to its
    // designed height, and its last step done, the top moved too (its bottom
    // edge back on LineaDeApertura()). False on time-out.
    bool EsperarAbierta(HWND principal);
    // Waits for a window of this caption to appear.
    HWND EsperarVentana(std::wstring_view titulo);

    // A menu command as the menu sends it: WM_COMMAND with the id of the item
    // under the top item at that position, as the probe reads it.
    void Menu(HWND principal, int posicionBarra);
    // A menu command by real keys: F10, Right to the top item, Down, Enter.
    bool MenuPorTeclado(HWND principal, int posicionBarra);

    // Questions to the probe inside the program (see ProtocoloSonda.h).
    std::optional<LPARAM> Consultar(HWND ventana, Consulta consulta, unsigned a = 0, unsigned b = 0);
    std::optional<bool> TieneMover(HWND ventana);
    LPARAM TicsTimer1(HWND ventana);
    // A control's font and how wide its caption is drawn in it, from inside
    // the program.
    struct Fuente {
        int alto = 0;  // pixels
        int peso = 0;  // FW_NORMAL, FW_BOLD
        bool caraEncontrada = false;
        int anchoTexto = 0;
        int anchoCliente = 0;
    };
    std::optional<Fuente> FuenteDe(HWND control);
    // Waits until the window's Timer1 has ticked this often (ticks counted
    // when retrieved, so 2 means the first has been handled).
    bool EsperarTics(HWND ventana, LPARAM tics);

private:
    bool CrearProceso(DWORD banderas, PROCESS_INFORMATION& proceso);
    bool InstalarSonda(DWORD hilo);

    CarpetaTemporal appData_;
    std::optional<std::string> archivoInicial_;
    std::wstring exe_;  // empty: the Kalvenor.exe of this build
    PROCESS_INFORMATION proceso_{};
    DWORD pid_ = 0;
    HMODULE sonda_ = nullptr;
    HHOOK gancho_ = nullptr;
    std::string error_;
};

}  // namespace kalvenor::e2e
