// The downloads as a user gets them. The installer, run silently, puts the
// program in %LOCALAPPDATA%\Programs\Kalvenor with a shortcut in the Start
// menu and an entry in the list of installed programs; the installed program
// opens and keeps a setting; the entry's own quiet command removes it all but
// the settings file, so that installed again it opens with that setting.
// Setup and the uninstaller close a running copy first, and setup starts it
// again; a copy that does not answer, or a newer version installed, leaves
// everything as it was. The portable copy opens from the folder it was
// unpacked in. install-test.sh runs this in a fresh Wine prefix and names the
// files in KALVENOR_INSTALADOR and KALVENOR_PORTATIL (Unix paths).

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Conductor.h"
#include "forms/win32/Handles.h"

namespace kalvenor::e2e {
namespace {

constexpr wchar_t kEntrada[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalvenor";
// How long the installer or the uninstaller may take.
constexpr std::chrono::seconds kEsperaPrograma{120};
// The exit codes setup and the uninstaller document.
constexpr DWORD kSalidaAbierto = 3;
constexpr DWORD kSalidaEnUso = 4;
constexpr DWORD kSalidaMasNueva = 5;
// How long setup waits for a running copy to close, and what it may add.
constexpr std::chrono::seconds kEsperaCierre{10};
constexpr std::chrono::seconds kHolgura{15};

using forms::UniqueKernelObject;
using pruebas::Contenido;
using pruebas::EntradaDeCarpeta;

std::wstring RutaDeEntorno(const char* nombre) {
    const char* valor = std::getenv(nombre);
    return valor ? RutaWindows(valor) : std::wstring();
}

std::wstring CarpetaConocida(REFKNOWNFOLDERID id) {
    PWSTR ruta = nullptr;
    std::wstring carpeta;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &ruta))) carpeta = ruta;
    ::CoTaskMemFree(ruta);
    return carpeta;
}

bool Existe(const std::wstring& ruta) { return ::GetFileAttributesW(ruta.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The installed folder goes: the uninstaller's own exe, the last file, is
// deleted by a copy of it once the uninstaller has ended.
bool SeVa(const std::wstring& carpeta) {
    return EsperarHasta([&] { return !Existe(carpeta); });
}

std::wstring Minusculas(std::wstring texto) {
    std::transform(texto.begin(), texto.end(), texto.begin(), [](wchar_t c) { return std::towlower(c); });
    return texto;
}

std::optional<std::wstring> TextoDeLaEntrada(const wchar_t* valor) {
    wchar_t texto[1024] = {};
    DWORD bytes = sizeof(texto);
    if (::RegGetValueW(HKEY_CURRENT_USER, kEntrada, valor, RRF_RT_REG_SZ, nullptr, texto, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return texto;
}

bool HayEntrada() { return TextoDeLaEntrada(L"DisplayName").has_value(); }

std::optional<DWORD> NumeroDeLaEntrada(const wchar_t* valor) {
    DWORD numero = 0;
    DWORD bytes = sizeof(numero);
    if (::RegGetValueW(HKEY_CURRENT_USER, kEntrada, valor, RRF_RT_REG_DWORD, nullptr, &numero, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return numero;
}

// Where a shortcut points, as the shell reads it.
std::wstring DestinoDelAcceso(const std::wstring& acceso) {
    std::wstring destino;
    IShellLinkW* enlace = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&enlace))))
        return destino;
    IPersistFile* archivo = nullptr;
    if (SUCCEEDED(enlace->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&archivo)))) {
        wchar_t ruta[MAX_PATH] = {};
        if (SUCCEEDED(archivo->Load(acceso.c_str(), STGM_READ)) &&
            SUCCEEDED(enlace->GetPath(ruta, MAX_PATH, nullptr, 0)))
            destino = ruta;
        archivo->Release();
    }
    enlace->Release();
    return destino;
}

// Runs a command line until it has ended: its exit code, or nothing if it did
// not start or end in time. Setup and the uninstaller (run in place, as its
// entry runs it) have done all their work when they end.
std::optional<DWORD> Ejecutar(std::wstring lineaOrdenes) {
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION proceso{};
    if (!::CreateProcessW(nullptr, lineaOrdenes.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                          &proceso))
        return std::nullopt;
    const UniqueKernelObject hilo(proceso.hThread), proceso_(proceso.hProcess);
    DWORD salida = 0;
    if (::WaitForSingleObject(proceso_.get(), static_cast<DWORD>(kEsperaPrograma.count() * 1000)) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(proceso_.get(), &salida))
        return std::nullopt;
    return salida;
}

// Bytes of the files in a folder, in KiB as the list of installed programs
// counts them.
DWORD KiBEnLaCarpeta(const std::wstring& carpeta) {
    ULONGLONG bytes = 0;
    for (const EntradaDeCarpeta& entrada : Contenido(carpeta)) bytes += entrada.esCarpeta ? 0 : entrada.bytes;
    return static_cast<DWORD>(bytes / 1024);
}

// What a run of setup or of the uninstaller may change: each file of the
// installed folder, its bytes and when it was last written (the same bytes
// written again have a new time), the folders in it, and the uninstall
// entry's values and when it was last written.
struct Instalado {
    std::map<std::wstring, std::pair<std::optional<std::string>, ULONGLONG>> archivos;
    std::map<std::wstring, std::vector<BYTE>> entrada;
    ULONGLONG entradaEscrita = 0;
    bool operator==(const Instalado&) const = default;
};

ULONGLONG Tiempo(const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

Instalado LeerInstalado(const std::wstring& carpeta) {
    Instalado instalado;
    for (const EntradaDeCarpeta& e : Contenido(carpeta)) {
        instalado.archivos[e.nombre] = e.esCarpeta ? std::pair{std::optional<std::string>(), 0ULL}
                                                   : std::pair{LeerBytes(carpeta + L"\\" + e.nombre), e.escrito};
    }
    HKEY clave = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kEntrada, 0, KEY_READ, &clave) != ERROR_SUCCESS) return instalado;
    FILETIME escrita{};
    ::RegQueryInfoKeyW(clave, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &escrita);
    instalado.entradaEscrita = Tiempo(escrita);
    for (DWORD i = 0;; ++i) {
        wchar_t nombre[256];
        DWORD largoNombre = 256;
        BYTE valor[2048];
        DWORD largoValor = sizeof(valor);
        if (::RegEnumValueW(clave, i, nombre, &largoNombre, nullptr, nullptr, valor, &largoValor) != ERROR_SUCCESS)
            break;
        instalado.entrada[nombre].assign(valor, valor + largoValor);
    }
    ::RegCloseKey(clave);
    return instalado;
}

// The processes of this exe that have a window of the program.
std::vector<DWORD> CopiasAbiertas(const std::wstring& exe) {
    std::vector<DWORD> copias;
    for (HWND ventana = nullptr; (ventana = ::FindWindowExW(nullptr, ventana, L"KalvenorForm", nullptr));) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(ventana, &pid);
        const UniqueKernelObject proceso(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        wchar_t ruta[MAX_PATH] = {};
        DWORD largo = MAX_PATH;
        if (proceso && ::QueryFullProcessImageNameW(proceso.get(), 0, ruta, &largo) &&
            Minusculas(ruta) == Minusculas(exe) && std::find(copias.begin(), copias.end(), pid) == copias.end())
            copias.push_back(pid);
    }
    return copias;
}

// Ends a copy this test did not start itself (setup started it).
void TerminarCopia(DWORD pid) {
    const UniqueKernelObject proceso(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!proceso) return;
    ::TerminateProcess(proceso.get(), 1);
    ::WaitForSingleObject(proceso.get(), static_cast<DWORD>(kEsperaLarga.count()));
}

// The Unix process under a Windows process of this Wine prefix: Wine gives
// it the exe's Windows path as its command line.
std::wstring PidUnix(const std::wstring& exe) {
    const char* prefijo = std::getenv("WINEPREFIX");
    if (!prefijo) return {};
    const std::string delPrefijo = std::string("WINEPREFIX=") + prefijo + '\0';
    for (const EntradaDeCarpeta& e : Contenido(L"Z:\\proc")) {
        const std::wstring& pid = e.nombre;
        if (!std::all_of(pid.begin(), pid.end(), [](wchar_t c) { return std::iswdigit(c); })) continue;
        const auto orden = LeerBytes(L"Z:\\proc\\" + pid + L"\\cmdline");
        const auto entorno = LeerBytes(L"Z:\\proc\\" + pid + L"\\environ");
        if (!orden || !entorno || entorno->find(delPrefijo) == std::string::npos) continue;
        const std::string primera = orden->substr(0, orden->find('\0'));
        if (Minusculas(std::wstring(primera.begin(), primera.end())) == Minusculas(exe)) return pid;
    }
    return {};
}

// A Unix signal to a process (Wine starts Unix programs too); the caller
// waits for its effect.
bool Senal(const std::wstring& pidUnix, const wchar_t* senal) {
    std::wstring orden = L"Z:\\bin\\kill -" + std::wstring(senal) + L" " + pidUnix;
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION proceso{};
    if (!::CreateProcessW(L"Z:\\bin\\kill", orden.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                          &proceso))
        return false;
    const UniqueKernelObject hilo(proceso.hThread), programa(proceso.hProcess);
    return true;
}

// Whether the Unix process is stopped (SIGSTOP): "T" in its stat line.
bool Detenido(const std::wstring& pidUnix) {
    const auto estado = LeerBytes(L"Z:\\proc\\" + pidUnix + L"\\stat");
    if (!estado) return false;
    const auto fin = estado->rfind(')');
    return fin != std::string::npos && estado->compare(fin, 3, ") T") == 0;
}

// The main window opens, as the user sees it once its opening sweep is done.
void SeAbre(Programa& programa) {
    ASSERT_TRUE(programa.Iniciar()) << programa.Error();
    HWND principal = programa.EsperarPrincipal();
    ASSERT_NE(principal, nullptr) << "no apareció la ventana principal";
    EXPECT_TRUE(programa.EsperarAbierta(principal)) << "la ventana principal no terminó de abrirse";
}

class Descargas : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};

TEST_F(Descargas, InstalarDesinstalarYReinstalarDejaSoloLasPreferenciasQueVuelven) {
    const std::wstring instalador = RutaDeEntorno("KALVENOR_INSTALADOR");
    ASSERT_FALSE(instalador.empty()) << "falta KALVENOR_INSTALADOR";
    const std::wstring carpeta = CarpetaConocida(FOLDERID_LocalAppData) + L"\\Programs\\Kalvenor";
    const std::wstring exe = carpeta + L"\\Kalvenor.exe";
    const std::wstring desinstalador = carpeta + L"\\Desinstalar.exe";
    const std::wstring acceso = CarpetaConocida(FOLDERID_Programs) + L"\\Kalvenor.lnk";
    const std::wstring preferencias = CarpetaConocida(FOLDERID_RoamingAppData) + L"\\Kalvenor\\Kalvenor";
    ASSERT_FALSE(Existe(carpeta) || Existe(preferencias) || HayEntrada()) << "el prefijo de Wine no está limpio";

    // The second run installs over the first.
    for (int vez = 1; vez <= 2; ++vez) {
        ASSERT_EQ(Ejecutar(L"\"" + instalador + L"\" /S"), std::optional<DWORD>(0)) << "instalación " << vez;
    }
    for (const wchar_t* archivo : {L"Kalvenor.exe", L"LEEME.txt", L"Desinstalar.exe"}) {
        EXPECT_TRUE(Existe(carpeta + L"\\" + archivo)) << testing::PrintToString(std::wstring(archivo));
    }
    EXPECT_EQ(Minusculas(DestinoDelAcceso(acceso)), Minusculas(exe)) << "el acceso del menú Inicio";

    const struct {
        const wchar_t* valor;
        std::wstring esperado;
    } textos[] = {
        {L"DisplayName", L"Kalvenor"},
        {L"DisplayVersion", KALVENOR_VERSION},
        {L"Publisher", KALVENOR_EDITOR},
        {L"DisplayIcon", exe},
        {L"InstallLocation", carpeta},
        {L"UninstallString", L"\"" + desinstalador + L"\" _?=" + carpeta},
        {L"QuietUninstallString", L"\"" + desinstalador + L"\" /S _?=" + carpeta},
    };
    for (const auto& t : textos) {
        EXPECT_EQ(TextoDeLaEntrada(t.valor), std::optional<std::wstring>(t.esperado))
            << testing::PrintToString(std::wstring(t.valor));
    }
    EXPECT_EQ(NumeroDeLaEntrada(L"NoModify"), std::optional<DWORD>(1));
    EXPECT_EQ(NumeroDeLaEntrada(L"NoRepair"), std::optional<DWORD>(1));
    const DWORD kib = KiBEnLaCarpeta(carpeta);
    EXPECT_GT(kib, 0u);
    EXPECT_EQ(NumeroDeLaEntrada(L"EstimatedSize"), std::optional<DWORD>(kib));

    // The installed program opens and stores an option in the user's file.
    std::optional<std::string> guardado;
    {
        Programa programa(Programa::Copia{exe});
        ASSERT_NO_FATAL_FAILURE(SeAbre(programa));
        programa.Menu(programa.Principal(), kOpciones);
        const ControlesOpciones c = ControlesDeOpciones(programa.EsperarVentana(kTituloOpciones));
        ASSERT_NE(c.cmdAceptar, nullptr) << "no se abrieron las opciones";
        MoverDeslizador(c.sliOpacidad, 180);
        Pulsar(c.cmdAceptar);
        ASSERT_EQ(programa.RutaPreferencias(), preferencias);
        guardado = programa.LeerPreferencias();
    }
    ASSERT_TRUE(guardado.has_value()) << "Aceptar no escribió %APPDATA%\\Kalvenor\\Kalvenor";
    const std::vector<std::string> lineas = LineasDe(*guardado);
    EXPECT_NE(std::find(lineas.begin(), lineas.end(), "Layer=180"), lineas.end());

    // Removed as the list of installed programs does it, by the entry's quiet command.
    const std::optional<std::wstring> quitar = TextoDeLaEntrada(L"QuietUninstallString");
    ASSERT_TRUE(quitar.has_value());
    EXPECT_EQ(Ejecutar(*quitar), std::optional<DWORD>(0));
    EXPECT_TRUE(SeVa(carpeta));
    EXPECT_FALSE(HayEntrada());
    EXPECT_FALSE(Existe(acceso));
    EXPECT_EQ(LeerBytes(preferencias), guardado) << "el archivo de preferencias cambió o ya no está";

    // Installed again, the program opens with the option stored before.
    ASSERT_EQ(Ejecutar(L"\"" + instalador + L"\" /S"), std::optional<DWORD>(0));
    Programa otraVez(Programa::Copia{exe});
    ASSERT_NO_FATAL_FAILURE(SeAbre(otraVez));
    EXPECT_EQ(Opacidad(otraVez.Principal()), std::optional<BYTE>(180));
}

TEST_F(Descargas, UnaCopiaAbiertaSeCierraAlActualizarYDesinstalarYUnaColgadaNoDejaCambiarNada) {
    const std::wstring setup = RutaDeEntorno("KALVENOR_INSTALADOR");
    const std::wstring portatil = RutaDeEntorno("KALVENOR_PORTATIL");
    ASSERT_FALSE(setup.empty() || portatil.empty()) << "faltan KALVENOR_INSTALADOR o KALVENOR_PORTATIL";
    const std::wstring instalador = L"\"" + setup + L"\" /S";
    const std::wstring carpetaPaquete = portatil.substr(0, portatil.rfind(L'\\'));
    const std::wstring carpeta = CarpetaConocida(FOLDERID_LocalAppData) + L"\\Programs\\Kalvenor";
    const std::wstring exe = carpeta + L"\\Kalvenor.exe";
    const std::wstring preferencias = CarpetaConocida(FOLDERID_RoamingAppData) + L"\\Kalvenor\\Kalvenor";
    ASSERT_EQ(Ejecutar(instalador), std::optional<DWORD>(0));
    ::CreateDirectoryW(preferencias.substr(0, preferencias.rfind(L'\\')).c_str(), nullptr);
    const std::string guardado = ArchivoPreferencias({"Barrido=300", "Layer=200"});
    ASSERT_TRUE(EscribirBytes(preferencias, guardado));

    // Setup again while the program runs: the same package over itself closes
    // and restarts it as a newer version does.
    DWORD nueva = 0;
    {
        Programa abierta(Programa::Copia{exe});
        ASSERT_NO_FATAL_FAILURE(SeAbre(abierta));
        EXPECT_EQ(Ejecutar(instalador), std::optional<DWORD>(0));
        EXPECT_TRUE(abierta.EsperarFin().has_value()) << "la copia abierta no se cerró";
        EXPECT_TRUE(EsperarHasta([&] {
            const std::vector<DWORD> copias = CopiasAbiertas(exe);
            nueva = copias.empty() || copias.front() == abierta.Pid() ? 0 : copias.front();
            return nueva != 0;
        })) << "el instalador no volvió a abrir el programa";
    }
    for (const wchar_t* archivo : {L"Kalvenor.exe", L"LEEME.txt"}) {
        const auto delPaquete = LeerBytes(carpetaPaquete + L"\\" + archivo);
        ASSERT_TRUE(delPaquete.has_value());
        EXPECT_EQ(LeerBytes(carpeta + L"\\" + archivo), delPaquete) << testing::PrintToString(std::wstring(archivo));
    }
    EXPECT_EQ(LeerBytes(preferencias), std::optional<std::string>(guardado)) << "el archivo de preferencias cambió";

    // The copy setup started stops answering: setup waits for it, then gives
    // up with its code, and so does the uninstaller; nothing changes.
    const std::wstring pidUnix = nueva ? PidUnix(exe) : std::wstring();
    ASSERT_FALSE(pidUnix.empty()) << "no se encuentra el proceso de Wine de la copia abierta";
    ASSERT_TRUE(Senal(pidUnix, L"STOP") && EsperarHasta([&] { return Detenido(pidUnix); }));
    const Instalado antes = LeerInstalado(carpeta);
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_EQ(Ejecutar(instalador), std::optional<DWORD>(kSalidaAbierto));
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, kEsperaCierre + kHolgura);
    EXPECT_EQ(Ejecutar(TextoDeLaEntrada(L"QuietUninstallString").value_or(L"")), std::optional<DWORD>(kSalidaAbierto));
    EXPECT_TRUE(LeerInstalado(carpeta) == antes) << "un instalador que no pudo cerrar la copia cambió algo";
    Senal(pidUnix, L"CONT");
    EXPECT_TRUE(EsperarHasta([&] { return !Detenido(pidUnix); }));
    TerminarCopia(nueva);

    // Another program holds a file of the folder open (it lets others read it).
    {
        HANDLE leeme = ::CreateFileW((carpeta + L"\\LEEME.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(leeme, INVALID_HANDLE_VALUE);
        const UniqueKernelObject abierto(leeme);
        const Instalado enUso = LeerInstalado(carpeta);
        EXPECT_EQ(Ejecutar(instalador), std::optional<DWORD>(kSalidaEnUso));
        EXPECT_TRUE(LeerInstalado(carpeta) == enUso) << "un instalador que no pudo reemplazar LEEME.txt cambió algo";
    }

    // An older version over a newer one: the entry says a higher version.
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kEntrada, L"DisplayVersion", REG_SZ, L"99.0.0", sizeof(L"99.0.0")),
              ERROR_SUCCESS);
    const Instalado masNueva = LeerInstalado(carpeta);
    EXPECT_EQ(Ejecutar(instalador), std::optional<DWORD>(kSalidaMasNueva));
    EXPECT_TRUE(LeerInstalado(carpeta) == masNueva) << "se instaló una versión más vieja sin preguntar";

    // Removed while it runs: the copy ends and nothing is left.
    {
        Programa abierta(Programa::Copia{exe});
        ASSERT_NO_FATAL_FAILURE(SeAbre(abierta));
        EXPECT_EQ(Ejecutar(TextoDeLaEntrada(L"QuietUninstallString").value_or(L"")), std::optional<DWORD>(0));
        EXPECT_TRUE(abierta.EsperarFin().has_value()) << "la copia abierta no se cerró";
    }
    EXPECT_TRUE(SeVa(carpeta));
    EXPECT_FALSE(HayEntrada());
    EXPECT_EQ(LeerBytes(preferencias), std::optional<std::string>(guardado));

    // The test ends with the program installed (install-test.sh checks the
    // installed uninstaller).
    EXPECT_EQ(Ejecutar(instalador), std::optional<DWORD>(0));
}

TEST_F(Descargas, LaCopiaPortatilSeAbreDesdeDondeSeDescomprimio) {
    const std::wstring exe = RutaDeEntorno("KALVENOR_PORTATIL");
    ASSERT_FALSE(exe.empty()) << "falta KALVENOR_PORTATIL";
    EXPECT_TRUE(Existe(exe.substr(0, exe.rfind(L'\\')) + L"\\LEEME.txt"));
    Programa programa(Programa::Copia{exe});
    ASSERT_NO_FATAL_FAILURE(SeAbre(programa));
}

}  // namespace
}  // namespace kalvenor::e2e
