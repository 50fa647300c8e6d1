// Start-up time of Kalvenor.exe against a bare window (VentanaDesnuda.exe):
// from process creation to the moment its first top-level window exists.
//   MedirArranque <Kalvenor.exe> <VentanaDesnuda.exe> [starts of each]
// The two are started by turns (ABBA order), each after the previous one has
// ended, after one untimed start of each. Prints every time, the medians and,
// on the last line:
//   kalvenor_s=<median> ventana_desnuda_s=<median> razon=<ratio>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Segundos(LARGE_INTEGER desde, LARGE_INTEGER hasta) {
    LARGE_INTEGER frecuencia;
    ::QueryPerformanceFrequency(&frecuencia);
    return static_cast<double>(hasta.QuadPart - desde.QuadPart) / static_cast<double>(frecuencia.QuadPart);
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

// Starts the program and returns the seconds until its first top-level
// window exists (negative on failure); then closes it and waits for its end.
double UnArranque(const std::wstring& exe) {
    std::wstring lineaOrdenes = L"\"" + exe + L"\"";
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION proceso{};
    LARGE_INTEGER antes;
    ::QueryPerformanceCounter(&antes);
    if (!::CreateProcessW(exe.c_str(), lineaOrdenes.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                          &proceso)) {
        std::fprintf(stderr, "no se pudo arrancar %ls (error %lu)\n", exe.c_str(), ::GetLastError());
        return -1;
    }
    Busqueda busqueda{proceso.dwProcessId, nullptr};
    double segundos = -1;
    const ULONGLONG limite = ::GetTickCount64() + 30000;
    while (::GetTickCount64() < limite) {
        ::EnumWindows(SiEsDelProceso, reinterpret_cast<LPARAM>(&busqueda));
        if (busqueda.ventana) {
            LARGE_INTEGER despues;
            ::QueryPerformanceCounter(&despues);
            segundos = Segundos(antes, despues);
            break;
        }
        if (::WaitForSingleObject(proceso.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    if (segundos < 0) std::fprintf(stderr, "%ls no abrió ninguna ventana\n", exe.c_str());
    if (busqueda.ventana) ::PostMessageW(busqueda.ventana, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(proceso.hProcess, 15000) != WAIT_OBJECT_0) {
        ::TerminateProcess(proceso.hProcess, 1);
        ::WaitForSingleObject(proceso.hProcess, 15000);
    }
    ::CloseHandle(proceso.hThread);
    ::CloseHandle(proceso.hProcess);
    return segundos;
}

double Mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    const std::size_t mitad = valores.size() / 2;
    return valores.size() % 2 ? valores[mitad] : (valores[mitad - 1] + valores[mitad]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: MedirArranque <Kalvenor.exe> <VentanaDesnuda.exe> [arranques de cada uno]\n");
        return 2;
    }
    const std::wstring programas[2] = {argv[1], argv[2]};
    const int arranques = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;

    for (const std::wstring& exe : programas) {
        if (UnArranque(exe) < 0) return 1;
    }
    std::vector<double> tiempos[2];
    for (int vez = 0; vez < arranques; ++vez) {
        // ABBA: neither program always goes first.
        for (int turno = 0; turno < 2; ++turno) {
            const int cual = vez % 2 == 0 ? turno : 1 - turno;
            const double segundos = UnArranque(programas[cual]);
            if (segundos < 0) return 1;
            tiempos[cual].push_back(segundos);
            std::printf("%-16s %.3f s\n", cual == 0 ? "Kalvenor" : "ventana desnuda", segundos);
        }
    }
    const double kalvenor = Mediana(tiempos[0]);
    const double desnuda = Mediana(tiempos[1]);
    std::printf("Mediana de %d arranques: Kalvenor %.3f s, ventana desnuda %.3f s\n", arranques, kalvenor, desnuda);
    std::printf("kalvenor_s=%.3f ventana_desnuda_s=%.3f razon=%.2f\n", kalvenor, desnuda, kalvenor / desnuda);
    return 0;
}
