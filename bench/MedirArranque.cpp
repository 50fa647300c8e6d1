// Start-up time of Kalvenor.exe against bare windows (VentanaDesnuda.exe and
// the same with Kalvenor's manifest), from process creation to two moments:
//   - existe: the program's first captioned top-level window exists;
//   - primer paso: that window is shown and taller than 0, which is what the
//     user sees first (Kalvenor's window is shown collapsed and reaches it at
//     the first step of its opening sweep).
//   MedirArranque <starts of each> <Kalvenor.exe> <bare.exe> [<bare.exe>...]
// The programs are started by turns, in the order of the command line and
// then backwards (ABCCBA...), each one only after the previous one has ended
// and the machine has been left idle for a moment, after one untimed start of
// each. Prints every time, the medians and, on the last two lines, one per
// moment:
//   existe: kalvenor_s=<median> <bare>_s=<median> razon_<bare>=<ratio> ...
//   primer_paso: kalvenor_s=<median> <bare>_s=<median> razon_<bare>=<ratio> ...

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Wine's tear-down of the last process slows the next start down; the check
// sleeps between looks so as not to compete with the process it measures.
constexpr DWORD kReposoEntreArranquesMs = 300;
constexpr DWORD kIntervaloSondeoMs = 3;
constexpr ULONGLONG kLimiteArranqueMs = 30000;

double Segundos(LARGE_INTEGER desde, LARGE_INTEGER hasta) {
    LARGE_INTEGER frecuencia;
    ::QueryPerformanceFrequency(&frecuencia);
    return static_cast<double>(hasta.QuadPart - desde.QuadPart) / static_cast<double>(frecuencia.QuadPart);
}

double SegundosDesde(LARGE_INTEGER desde) {
    LARGE_INTEGER ahora;
    ::QueryPerformanceCounter(&ahora);
    return Segundos(desde, ahora);
}

struct Busqueda {
    DWORD pid;
    HWND ventana;
};

BOOL CALLBACK SiEsDelProceso(HWND ventana, LPARAM datos) {
    auto& busqueda = *reinterpret_cast<Busqueda*>(datos);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(ventana, &pid);
    // The program's own captioned window, not one the system makes for it.
    if (pid != busqueda.pid || (::GetWindowLongW(ventana, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return TRUE;
    busqueda.ventana = ventana;
    return FALSE;
}

bool SeVe(HWND ventana) {
    RECT rect{};
    return ::IsWindowVisible(ventana) && ::GetWindowRect(ventana, &rect) && rect.bottom > rect.top;
}

struct Tiempos {
    double existe = -1;
    double primerPaso = -1;
};

// Starts the program and times its two moments (negative when not reached);
// then closes it and waits for its end.
Tiempos UnArranque(const std::wstring& exe) {
    std::wstring lineaOrdenes = L"\"" + exe + L"\"";
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION proceso{};
    LARGE_INTEGER antes;
    ::QueryPerformanceCounter(&antes);
    Tiempos tiempos;
    if (!::CreateProcessW(exe.c_str(), lineaOrdenes.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                          &proceso)) {
        std::fprintf(stderr, "no se pudo arrancar %ls (error %lu)\n", exe.c_str(), ::GetLastError());
        return tiempos;
    }
    Busqueda busqueda{proceso.dwProcessId, nullptr};
    const ULONGLONG limite = ::GetTickCount64() + kLimiteArranqueMs;
    while (::GetTickCount64() < limite) {
        if (!busqueda.ventana) {
            ::EnumWindows(SiEsDelProceso, reinterpret_cast<LPARAM>(&busqueda));
            if (busqueda.ventana) tiempos.existe = SegundosDesde(antes);
        }
        if (busqueda.ventana && SeVe(busqueda.ventana)) {
            tiempos.primerPaso = SegundosDesde(antes);
            break;
        }
        if (::WaitForSingleObject(proceso.hProcess, kIntervaloSondeoMs) == WAIT_OBJECT_0) break;
    }
    if (tiempos.primerPaso < 0) std::fprintf(stderr, "%ls no mostró ninguna ventana\n", exe.c_str());
    if (busqueda.ventana) ::PostMessageW(busqueda.ventana, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(proceso.hProcess, 15000) != WAIT_OBJECT_0) {
        ::TerminateProcess(proceso.hProcess, 1);
        ::WaitForSingleObject(proceso.hProcess, 15000);
    }
    ::CloseHandle(proceso.hThread);
    ::CloseHandle(proceso.hProcess);
    ::Sleep(kReposoEntreArranquesMs);
    return tiempos;
}

double Mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    const std::size_t mitad = valores.size() / 2;
    return valores.size() % 2 ? valores[mitad] : (valores[mitad - 1] + valores[mitad]) / 2;
}

// "C:\dir\VentanaDesnuda.exe" gives "VentanaDesnuda".
std::wstring Nombre(const std::wstring& exe) {
    const std::size_t barra = exe.find_last_of(L"\\/");
    std::wstring nombre = barra == std::wstring::npos ? exe : exe.substr(barra + 1);
    const std::size_t punto = nombre.rfind(L'.');
    return punto == std::wstring::npos ? nombre : nombre.substr(0, punto);
}

std::string Clave(const std::wstring& nombre) {
    std::string clave;
    for (wchar_t c : nombre) {
        if (c >= L'A' && c <= L'Z') {
            if (!clave.empty()) clave += '_';
            clave += static_cast<char>(c - L'A' + 'a');
        } else if (c < 0x80) {
            clave += static_cast<char>(c);
        }
    }
    return clave;
}

struct Programa {
    std::wstring exe;
    std::wstring nombre;
    std::vector<double> existe;
    std::vector<double> primerPaso;
};

void LineaResumen(const char* momento, const std::vector<Programa>& programas, std::vector<double> Programa::*tiempos) {
    const double kalvenor = Mediana(programas[0].*tiempos);
    std::printf("%s: %s_s=%.3f", momento, Clave(programas[0].nombre).c_str(), kalvenor);
    for (std::size_t i = 1; i < programas.size(); ++i) {
        const double otro = Mediana(programas[i].*tiempos);
        const std::string clave = Clave(programas[i].nombre);
        std::printf(" %s_s=%.3f razon_%s=%.2f", clave.c_str(), otro, clave.c_str(), kalvenor / otro);
    }
    std::printf("\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "uso: MedirArranque <arranques de cada uno> <Kalvenor.exe> <ventana desnuda.exe>...\n");
        return 2;
    }
    const int arranques = std::max(1, _wtoi(argv[1]));
    std::vector<Programa> programas;
    for (int i = 2; i < argc; ++i) programas.push_back({argv[i], Nombre(argv[i]), {}, {}});
    const int cuantos = static_cast<int>(programas.size());

    for (const Programa& programa : programas) {
        if (UnArranque(programa.exe).primerPaso < 0) return 1;
    }
    for (int vez = 0; vez < arranques; ++vez) {
        // Forwards, then backwards: no program always goes first.
        for (int turno = 0; turno < cuantos; ++turno) {
            Programa& programa = programas[vez % 2 == 0 ? turno : cuantos - 1 - turno];
            const Tiempos t = UnArranque(programa.exe);
            if (t.primerPaso < 0) return 1;
            programa.existe.push_back(t.existe);
            programa.primerPaso.push_back(t.primerPaso);
            std::printf("%-26ls existe %.3f s  primer paso %.3f s\n", programa.nombre.c_str(), t.existe, t.primerPaso);
        }
    }
    std::printf("Medianas de %d arranques:\n", arranques);
    for (const Programa& programa : programas) {
        std::printf("%-26ls existe %.3f s  primer paso %.3f s\n", programa.nombre.c_str(), Mediana(programa.existe),
                    Mediana(programa.primerPaso));
    }
    LineaResumen("existe", programas, &Programa::existe);
    LineaResumen("primer_paso", programas, &Programa::primerPaso);
    return 0;
}
