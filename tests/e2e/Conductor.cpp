#include "Conductor.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <thread>

#include "Bombeo.h"

namespace kalvenor::e2e {

namespace {

using Reloj = std::chrono::steady_clock;

// How often a wait looks at its condition.
constexpr std::chrono::milliseconds kIntervaloEspera{5};
// How long Terminar gives the program to end on WM_CLOSE before killing it.
constexpr std::chrono::milliseconds kGraciaAlCerrar{5000};

std::wstring AnchoDesdeUtf8(std::string_view texto) {
    if (texto.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
    std::wstring ancho(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), ancho.data(), n);
    return ancho;
}

bool EmpiezaPor(std::wstring_view texto, std::wstring_view prefijo) {
    return texto.substr(0, prefijo.size()) == prefijo;
}

bool IgualSinMayusculas(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

// The driver's environment with APPDATA replaced, as a sorted Unicode block.
std::wstring BloqueEntorno(const std::wstring& appData) {
    std::vector<std::wstring> variables;
    if (wchar_t* entorno = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = entorno; *p; p += std::wcslen(p) + 1) {
            std::wstring variable(p);
            const auto igual = variable.find(L'=', 1);
            const std::wstring_view nombre = std::wstring_view(variable).substr(0, igual);
            if (igual != std::wstring::npos && IgualSinMayusculas(nombre, L"APPDATA")) continue;
            variables.push_back(std::move(variable));
        }
        ::FreeEnvironmentStringsW(entorno);
    }
    variables.push_back(L"APPDATA=" + appData);
    std::stable_sort(variables.begin(), variables.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    std::wstring bloque;
    for (const std::wstring& variable : variables) {
        bloque += variable;
        bloque.push_back(L'\0');
    }
    bloque.push_back(L'\0');
    return bloque;
}

UINT MensajeConsulta() {
    static const UINT mensaje = ::RegisterWindowMessageW(kMensajeConsulta);
    return mensaje;
}

UINT MensajeRespuesta() {
    static const UINT mensaje = ::RegisterWindowMessageW(kMensajeRespuesta);
    return mensaje;
}

struct BusquedaVentanas {
    DWORD pid;
    std::wstring_view titulo;
    bool prefijo;
    std::vector<HWND> halladas;
};

BOOL CALLBACK AnotarSiCoincide(HWND ventana, LPARAM datos) {
    auto& busqueda = *reinterpret_cast<BusquedaVentanas*>(datos);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(ventana, &pid);
    if (pid != busqueda.pid) return TRUE;
    const std::wstring titulo = Texto(ventana);
    if (busqueda.prefijo ? EmpiezaPor(titulo, busqueda.titulo) : titulo == busqueda.titulo)
        busqueda.halladas.push_back(ventana);
    return TRUE;
}

struct BusquedaHijos {
    std::wstring_view clase;
    std::vector<HWND> halladas;
};

BOOL CALLBACK AnotarHijo(HWND ventana, LPARAM datos) {
    auto& busqueda = *reinterpret_cast<BusquedaHijos*>(datos);
    if (IgualSinMayusculas(Clase(ventana), busqueda.clase)) busqueda.halladas.push_back(ventana);
    return TRUE;
}

// The exit code of a process once it has ended, or nothing after the time-out.
std::optional<DWORD> CodigoAlTerminar(HANDLE proceso, std::chrono::milliseconds limite) {
    if (::WaitForSingleObject(proceso, static_cast<DWORD>(limite.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD codigo = 0;
    ::GetExitCodeProcess(proceso, &codigo);
    return codigo;
}

void EnviarEntradas(std::vector<INPUT> entradas) {
    ::SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

INPUT Tecla(WORD teclaVirtual, bool soltar) {
    INPUT entrada{};
    entrada.type = INPUT_KEYBOARD;
    entrada.ki.wVk = teclaVirtual;
    entrada.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(teclaVirtual, MAPVK_VK_TO_VSC));
    entrada.ki.dwFlags = soltar ? KEYEVENTF_KEYUP : 0;
    switch (teclaVirtual) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        entrada.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return entrada;
}

}  // namespace

bool EsperarHasta(const std::function<bool()>& condicion, std::chrono::milliseconds limite) {
    const auto fin = Reloj::now() + limite;
    for (;;) {
        if (condicion()) return true;
        if (Reloj::now() >= fin) return false;
        std::this_thread::sleep_for(kIntervaloEspera);
    }
}

std::wstring RutaWindows(std::string_view ruta) {
    std::wstring ancho = AnchoDesdeUtf8(ruta);
    if (ancho.empty() || ancho.front() != L'/') return ancho;
    std::replace(ancho.begin(), ancho.end(), L'/', L'\\');
    return L"Z:" + ancho;
}

// --- Files -------------------------------------------------------------------

std::string ArchivoPreferencias(const std::vector<std::string>& lineas) {
    std::string bytes = kCabeceraSeccion + "\r\n";
    for (const std::string& linea : lineas) bytes += linea + "\r\n";
    return bytes;
}

// --- Windows and controls ------------------------------------------------------

std::wstring Texto(HWND ventana) {
    DWORD_PTR largo = 0;
    if (!::SendMessageTimeoutW(ventana, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kEsperaLarga.count(), &largo)) return {};
    std::wstring texto(static_cast<size_t>(largo) + 1, L'\0');
    DWORD_PTR copiados = 0;
    if (!::SendMessageTimeoutW(ventana, WM_GETTEXT, texto.size(), reinterpret_cast<LPARAM>(texto.data()), SMTO_NORMAL,
                               kEsperaLarga.count(), &copiados))
        return {};
    texto.resize(std::min<size_t>(copiados, largo));
    return texto;
}

void PonerTexto(HWND ventana, std::wstring_view texto) {
    const std::wstring copia(texto);
    DWORD_PTR resultado = 0;
    ::SendMessageTimeoutW(ventana, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copia.c_str()), SMTO_NORMAL,
                          kEsperaLarga.count(), &resultado);
}

std::wstring Clase(HWND ventana) {
    wchar_t nombre[256] = {};
    ::GetClassNameW(ventana, nombre, 256);
    return nombre;
}

RECT Rectangulo(HWND ventana) {
    RECT rectangulo{};
    ::GetWindowRect(ventana, &rectangulo);
    return rectangulo;
}

bool MuestrearHastaQueDesaparezca(HWND ventana, std::vector<RECT>& muestras) {
    return EsperarHasta([&] {
        const std::optional<RECT> r = RectanguloSiExiste(ventana);
        if (!r) return true;
        muestras.push_back(*r);
        return false;
    });
}

std::optional<RECT> RectanguloSiExiste(HWND ventana) {
    RECT rectangulo{};
    if (!::GetWindowRect(ventana, &rectangulo)) return std::nullopt;
    return rectangulo;
}

SIZE TamanoCliente(HWND ventana) {
    RECT cliente{};
    ::GetClientRect(ventana, &cliente);
    return SIZE{cliente.right - cliente.left, cliente.bottom - cliente.top};
}

HWND Foco(HWND ventana) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(ventana, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

int Alto(HWND ventana) {
    const RECT r = Rectangulo(ventana);
    return r.bottom - r.top;
}

bool EsTopmost(HWND ventana) { return (::GetWindowLongW(ventana, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::optional<BYTE> Opacidad(HWND ventana) {
    COLORREF clave = 0;
    BYTE alfa = 0;
    DWORD banderas = 0;
    if (!::GetLayeredWindowAttributes(ventana, &clave, &alfa, &banderas)) return std::nullopt;
    if (!(banderas & LWA_ALPHA)) return std::nullopt;
    return alfa;
}

void Pulsar(HWND boton) {
    DWORD_PTR resultado = 0;
    ::SendMessageTimeoutW(boton, BM_CLICK, 0, 0, SMTO_NORMAL, kEsperaLarga.count(), &resultado);
}

int PosicionDeslizador(HWND deslizador) {
    DWORD_PTR posicion = 0;
    ::SendMessageTimeoutW(deslizador, TBM_GETPOS, 0, 0, SMTO_NORMAL, kEsperaLarga.count(), &posicion);
    return static_cast<int>(posicion);
}

void MoverDeslizador(HWND deslizador, int posicion) {
    DWORD_PTR resultado = 0;
    ::SendMessageTimeoutW(deslizador, TBM_SETPOS, TRUE, posicion, SMTO_NORMAL, kEsperaLarga.count(), &resultado);
}

bool Marcada(HWND casilla) {
    DWORD_PTR estado = 0;
    ::SendMessageTimeoutW(casilla, BM_GETCHECK, 0, 0, SMTO_NORMAL, kEsperaLarga.count(), &estado);
    return estado == BST_CHECKED;
}

std::vector<HWND> Hijos(HWND padre, std::wstring_view clase) {
    BusquedaHijos busqueda{clase, {}};
    ::EnumChildWindows(padre, &AnotarHijo, reinterpret_cast<LPARAM>(&busqueda));
    std::stable_sort(busqueda.halladas.begin(), busqueda.halladas.end(), [](HWND a, HWND b) {
        const RECT ra = Rectangulo(a);
        const RECT rb = Rectangulo(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return busqueda.halladas;
}

HWND HijoConTexto(HWND padre, std::wstring_view clase, std::wstring_view texto) {
    for (HWND hijo : Hijos(padre, clase))
        if (Texto(hijo) == texto) return hijo;
    return nullptr;
}

OtraAplicacion::OtraAplicacion(const wchar_t* clase, const wchar_t* titulo, RECT r)
    : hilo_([this, clase, titulo, r] {
          HINSTANCE instancia = ::GetModuleHandleW(nullptr);
          WNDCLASSEXW datos{};
          datos.cbSize = sizeof(datos);
          if (!::GetClassInfoExW(nullptr, clase, &datos) && !::GetClassInfoExW(instancia, clase, &datos)) {
              datos.lpfnWndProc = ::DefWindowProcW;
              datos.hInstance = instancia;
              datos.lpszClassName = clase;
              ::RegisterClassExW(&datos);
          }
          HWND ventana = ::CreateWindowExW(WS_EX_TOPMOST, clase, titulo, WS_POPUP | WS_VISIBLE, r.left, r.top,
                                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, instancia, nullptr);
          ventana_ = ventana;
          idHilo_ = ::GetCurrentThreadId();
          pruebas::BombearHastaSalir();
          if (ventana) ::DestroyWindow(ventana);
      }) {
    EsperarHasta([&] { return idHilo_.load() != 0; });
}

OtraAplicacion::~OtraAplicacion() {
    EsperarHasta([&] { return idHilo_.load() != 0; });
    ::PostThreadMessageW(idHilo_, WM_QUIT, 0, 0);
    hilo_.join();
}

bool FinDeSesion(HWND ventana, LPARAM motivo) {
    DWORD_PTR respuesta = 0;
    if (!::SendMessageTimeoutW(ventana, WM_QUERYENDSESSION, 0, motivo, SMTO_NORMAL, kEsperaLarga.count(), &respuesta) ||
        !respuesta)
        return false;
    ::SendMessageTimeoutW(ventana, WM_ENDSESSION, TRUE, motivo, SMTO_NORMAL, kEsperaLarga.count(), &respuesta);
    return true;
}

ControlesPrincipal ControlesDePrincipal(HWND principal) {
    ControlesPrincipal controles;
    const std::vector<HWND> cajas = Hijos(principal, L"Edit");
    if (cajas.size() == 2) {
        controles.txtNormal = cajas[0];
        controles.txtClave = cajas[1];
    }
    controles.cmdTraducir = HijoConTexto(principal, L"Button", L"ZorbiTraducción");
    controles.cmdRegresar = HijoConTexto(principal, L"Button", L"Regresar a normal");
    return controles;
}

ControlesOpciones ControlesDeOpciones(HWND opciones) {
    ControlesOpciones controles;
    const std::vector<HWND> deslizadores = Hijos(opciones, TRACKBAR_CLASSW);
    if (deslizadores.size() == 2) {
        controles.sliPaso = deslizadores[0];
        controles.sliOpacidad = deslizadores[1];
    }
    controles.cheSiempreEncima = HijoConTexto(opciones, L"Button", L"Mantener encima de otras aplicaciones");
    controles.cheMovible = HijoConTexto(opciones, L"Button", L"Permitir mover la ventana");
    controles.cmdAceptar = HijoConTexto(opciones, L"Button", L"Aceptar");
    controles.cmdCancelar = HijoConTexto(opciones, L"Button", L"Cancelar");
    return controles;
}

SIZE TamanoDisenadoPrincipal() {
    const int ppp = PuntosPorPulgada();
    RECT exterior{0, 0, ::MulDiv(6480, ppp, 1440), ::MulDiv(4800, ppp, 1440)};
    ::AdjustWindowRectEx(&exterior, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, TRUE,
                         WS_EX_CONTROLPARENT | WS_EX_APPWINDOW);
    return SIZE{exterior.right - exterior.left, exterior.bottom - exterior.top};
}

int LineaDeApertura() {
    RECT barra{};
    HWND bandeja = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (bandeja && ::GetWindowRect(bandeja, &barra) && barra.left <= 0 && barra.top > 0) return barra.top;
    return ::GetSystemMetrics(SM_CYSCREEN);
}

int PasoEnPixeles(int barrido) { return ::MulDiv(barrido, PuntosPorPulgada(), 1440); }

// --- Keyboard --------------------------------------------------------------------

void PulsarTecla(WORD teclaVirtual, WORD modificador) {
    std::vector<INPUT> entradas;
    if (modificador) entradas.push_back(Tecla(modificador, false));
    entradas.push_back(Tecla(teclaVirtual, false));
    entradas.push_back(Tecla(teclaVirtual, true));
    if (modificador) entradas.push_back(Tecla(modificador, true));
    EnviarEntradas(std::move(entradas));
}

void Escribir(std::wstring_view texto) {
    for (wchar_t caracter : texto) {
        const SHORT tecla = ::VkKeyScanW(caracter);
        if (tecla == -1) continue;  // not on this keyboard layout
        PulsarTecla(static_cast<WORD>(tecla & 0xFF), (tecla & 0x100) != 0 ? VK_SHIFT : 0);
    }
}

namespace {

// A mouse event at a screen pixel, in SendInput's absolute coordinates.
INPUT Raton(POINT p, DWORD banderas) {
    INPUT raton{};
    raton.type = INPUT_MOUSE;
    raton.mi.dx = ::MulDiv(p.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    raton.mi.dy = ::MulDiv(p.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    raton.mi.dwFlags = banderas | MOUSEEVENTF_ABSOLUTE;
    return raton;
}

}  // namespace

void Clic(HWND ventana) {
    const RECT r = Rectangulo(ventana);
    const POINT centro{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EnviarEntradas(
        {Raton(centro, MOUSEEVENTF_MOVE), Raton(centro, MOUSEEVENTF_LEFTDOWN), Raton(centro, MOUSEEVENTF_LEFTUP)});
}

void Arrastrar(POINT desde, int dx, int dy) {
    constexpr int kPasos = 10;
    EnviarEntradas({Raton(desde, MOUSEEVENTF_MOVE), Raton(desde, MOUSEEVENTF_LEFTDOWN)});
    for (int i = 1; i <= kPasos; ++i) {
        // A hand moves over some time; the platform's move loop runs meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EnviarEntradas({Raton(POINT{desde.x + dx * i / kPasos, desde.y + dy * i / kPasos}, MOUSEEVENTF_MOVE)});
    }
    EnviarEntradas({Raton(POINT{desde.x + dx, desde.y + dy}, MOUSEEVENTF_LEFTUP)});
}

bool TraerAlFrente(HWND ventana) {
    return EsperarHasta([&] {
        if (::GetForegroundWindow() == ventana) return true;
        ::SetForegroundWindow(ventana);
        return ::GetForegroundWindow() == ventana;
    });
}

// --- Programa ----------------------------------------------------------------------

Programa::Programa(std::optional<std::string> archivoPreferencias) : archivoInicial_(std::move(archivoPreferencias)) {
    // The probe answers by thread message: this thread needs a queue.
    MSG mensaje;
    ::PeekMessageW(&mensaje, nullptr, 0, 0, PM_NOREMOVE);
}

Programa::Programa(Copia copia) : Programa() { exe_ = std::move(copia.exe); }

Programa::~Programa() {
    Terminar();
    if (sonda_) ::FreeLibrary(sonda_);
}

std::wstring Programa::RutaPreferencias() const {
    std::wstring appData = appData_.Ruta();
    if (!exe_.empty()) {
        appData.assign(MAX_PATH, L'\0');
        appData.resize(::GetEnvironmentVariableW(L"APPDATA", appData.data(), MAX_PATH));
    }
    return appData + L"\\Kalvenor\\Kalvenor";
}

std::optional<std::string> Programa::LeerPreferencias() const { return LeerBytes(RutaPreferencias()); }

bool Programa::Iniciar() {
    if (archivoInicial_) {
        ::CreateDirectoryW((appData_.Ruta() + L"\\Kalvenor").c_str(), nullptr);
        if (!EscribirBytes(RutaPreferencias(), *archivoInicial_)) {
            error_ = "no se pudo escribir el archivo de configuración inicial";
            return false;
        }
    }
    if (!CrearProceso(CREATE_SUSPENDED, proceso_)) return false;
    pid_ = proceso_.dwProcessId;
    // Hooked before it runs, the probe sees the very first timer tick.
    const bool sondaPuesta = InstalarSonda(proceso_.dwThreadId);
    ::ResumeThread(proceso_.hThread);
    if (!sondaPuesta) {
        error_ = "no se pudo instalar la sonda (SetWindowsHookExW) en el hilo del programa";
        return false;
    }
    if (::WaitForInputIdle(proceso_.hProcess, static_cast<DWORD>(kEsperaLarga.count())) != 0) {
        error_ = "el programa no llegó a esperar entradas (WaitForInputIdle)";
        return false;
    }
    return true;
}

bool Programa::CrearProceso(DWORD banderas, PROCESS_INFORMATION& proceso) {
    const std::wstring exe = exe_.empty() ? RutaWindows(KALVENOR_EXE) : exe_;
    std::wstring lineaOrdenes = L"\"" + exe + L"\"";
    // Another copy keeps the driver's environment, and so the user's %APPDATA%.
    std::wstring entorno = exe_.empty() ? BloqueEntorno(appData_.Ruta()) : std::wstring();
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    if (!::CreateProcessW(exe.c_str(), lineaOrdenes.data(), nullptr, nullptr, FALSE,
                          banderas | CREATE_UNICODE_ENVIRONMENT, entorno.empty() ? nullptr : entorno.data(),
                          appData_.Ruta().c_str(), &inicio, &proceso)) {
        error_ = "CreateProcessW falló con el error " + std::to_string(::GetLastError());
        return false;
    }
    return true;
}

std::optional<DWORD> Programa::ArrancarOtraCopia() {
    PROCESS_INFORMATION otra{};
    if (!CrearProceso(0, otra)) return std::nullopt;
    const std::optional<DWORD> codigo = CodigoAlTerminar(otra.hProcess, kEsperaLarga);
    if (!codigo) {
        ::TerminateProcess(otra.hProcess, 1);
        ::WaitForSingleObject(otra.hProcess, static_cast<DWORD>(kEsperaLarga.count()));
    }
    ::CloseHandle(otra.hThread);
    ::CloseHandle(otra.hProcess);
    return codigo;
}

bool Programa::InstalarSonda(DWORD hilo) {
    if (!sonda_) sonda_ = ::LoadLibraryW(RutaWindows(KALVENOR_E2E_SONDA).c_str());
    if (!sonda_) return false;
    auto procedimiento =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(sonda_, kNombreProcedimiento)));
    if (!procedimiento) return false;
    gancho_ = ::SetWindowsHookExW(WH_GETMESSAGE, procedimiento, sonda_, hilo);
    return gancho_ != nullptr;
}

bool Programa::Vivo() const { return proceso_.hProcess && ::WaitForSingleObject(proceso_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Programa::EsperarFin(std::chrono::milliseconds limite) {
    if (!proceso_.hProcess) return std::nullopt;
    return CodigoAlTerminar(proceso_.hProcess, limite);
}

void Programa::Terminar() {
    if (proceso_.hProcess) {
        const auto fin = Reloj::now() + kGraciaAlCerrar;
        while (Vivo() && Reloj::now() < fin) {
            // The options and about windows first: closing them brings the
            // main window back, which is closed next.
            std::vector<HWND> ventanas = Ventanas(kTituloOpciones);
            for (HWND v : Ventanas(kTituloAcercaDe)) ventanas.push_back(v);
            if (ventanas.empty()) ventanas = Ventanas(kPrefijoTituloPrincipal, true);
            for (HWND v : ventanas) ::PostMessageW(v, WM_CLOSE, 0, 0);
            ::WaitForSingleObject(proceso_.hProcess, 200);
        }
        if (Vivo()) {
            ::TerminateProcess(proceso_.hProcess, 1);
            ::WaitForSingleObject(proceso_.hProcess, static_cast<DWORD>(kEsperaLarga.count()));
        }
    }
    if (gancho_) {
        ::UnhookWindowsHookEx(gancho_);
        gancho_ = nullptr;
    }
    if (proceso_.hThread) ::CloseHandle(proceso_.hThread);
    if (proceso_.hProcess) ::CloseHandle(proceso_.hProcess);
    proceso_ = PROCESS_INFORMATION{};
}

std::vector<HWND> Programa::Ventanas(std::wstring_view titulo, bool prefijo) const {
    BusquedaVentanas busqueda{pid_, titulo, prefijo, {}};
    if (pid_ != 0) ::EnumWindows(&AnotarSiCoincide, reinterpret_cast<LPARAM>(&busqueda));
    return busqueda.halladas;
}

HWND Programa::Principal() const {
    const std::vector<HWND> ventanas = Ventanas(kPrefijoTituloPrincipal, true);
    return ventanas.empty() ? nullptr : ventanas.front();
}

HWND Programa::Opciones() const {
    const std::vector<HWND> ventanas = Ventanas(kTituloOpciones);
    return ventanas.empty() ? nullptr : ventanas.front();
}

HWND Programa::AcercaDe() const {
    const std::vector<HWND> ventanas = Ventanas(kTituloAcercaDe);
    return ventanas.empty() ? nullptr : ventanas.front();
}

HWND Programa::EsperarPrincipal(HWND anterior) {
    HWND hallada = nullptr;
    EsperarHasta([&] {
        hallada = Principal();
        return hallada != nullptr && hallada != anterior;
    });
    return hallada != anterior ? hallada : nullptr;
}

bool Programa::EsperarAbierta(HWND principal) {
    const int alto = TamanoDisenadoPrincipal().cy;
    const int fondo = LineaDeApertura();
    return EsperarHasta([&] {
        if (!::IsWindowVisible(principal)) return false;
        const std::optional<RECT> r = RectanguloSiExiste(principal);
        return r && r->bottom - r->top >= alto && r->bottom == fondo;
    });
}

HWND Programa::EsperarVentana(std::wstring_view titulo) {
    HWND hallada = nullptr;
    EsperarHasta([&] {
        const std::vector<HWND> ventanas = Ventanas(titulo);
        hallada = ventanas.empty() ? nullptr : ventanas.front();
        return hallada != nullptr;
    });
    return hallada;
}

void Programa::Menu(HWND principal, int posicionBarra) {
    const std::optional<LPARAM> id = Consultar(principal, Consulta::IdElementoMenu, posicionBarra, 0);
    if (id) ::PostMessageW(principal, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(*id), 0), 0);
}

bool Programa::MenuPorTeclado(HWND principal, int posicionBarra) {
    if (!TraerAlFrente(principal)) return false;
    PulsarTecla(VK_F10);
    for (int i = 0; i < posicionBarra; ++i) PulsarTecla(VK_RIGHT);
    PulsarTecla(VK_DOWN);
    PulsarTecla(VK_RETURN);
    return true;
}

std::optional<LPARAM> Programa::Consultar(HWND ventana, Consulta consulta, unsigned a, unsigned b) {
    static WPARAM secuencia = 0;
    const WPARAM pregunta = CodificarConsulta(consulta, a, b) | (++secuencia << 24);
    if (!::PostMessageW(ventana, MensajeConsulta(), pregunta, static_cast<LPARAM>(::GetCurrentThreadId())))
        return std::nullopt;
    const auto fin = Reloj::now() + kEsperaLarga;
    while (Reloj::now() < fin) {
        MSG mensaje;
        // Thread messages only (hWnd -1), and only the answers.
        const UINT respuesta = MensajeRespuesta();
        while (::PeekMessageW(&mensaje, reinterpret_cast<HWND>(-1), respuesta, respuesta, PM_REMOVE)) {
            if (mensaje.wParam == pregunta) return mensaje.lParam;
        }
        if (!::IsWindow(ventana)) return std::nullopt;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
    }
    return std::nullopt;
}

std::optional<bool> Programa::TieneMover(HWND ventana) {
    const std::optional<LPARAM> respuesta = Consultar(ventana, Consulta::MenuSistemaTieneMover);
    if (!respuesta) return std::nullopt;
    return *respuesta != 0;
}

std::optional<Programa::Fuente> Programa::FuenteDe(HWND control) {
    const std::optional<LPARAM> fuente = Consultar(control, Consulta::FuenteDelControl);
    const std::optional<LPARAM> ancho = Consultar(control, Consulta::AnchoDelTexto);
    if (!fuente || !ancho || *fuente == -1) return std::nullopt;
    return Fuente{static_cast<int>(*fuente & 0xFFFF), static_cast<int>((*fuente >> 16) & 0xFFFF),
                  ((*fuente >> 32) & 1) != 0, static_cast<int>(*ancho & 0xFFFFFFFF),
                  static_cast<int>((*ancho >> 32) & 0xFFFFFFFF)};
}

LPARAM Programa::TicsTimer1(HWND ventana) { return Consultar(ventana, Consulta::TicsTimer1).value_or(-1); }

bool Programa::EsperarTics(HWND ventana, LPARAM tics) {
    return EsperarHasta([&] { return TicsTimer1(ventana) >= tics; });
}

}  // namespace kalvenor::e2e
