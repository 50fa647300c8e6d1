// The downloads as a user gets them. The installer, run silently, puts the
// program in %LOCALAPPDATA%\Programs\Kalvenor with a shortcut in the Start
// menu and an entry in the list of installed programs; the installed program
// opens and keeps a setting; the entry's own quiet command removes it all but
// the settings file, so that installed again it opens with that setting. The
// portable copy opens from the folder it was unpacked in. install-test.sh runs
// this in a fresh Wine prefix and names the files in KALVENOR_INSTALADOR and
// KALVENOR_PORTATIL (Unix paths).

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <string>

#include "Conductor.h"

namespace kalvenor::e2e {
namespace {

constexpr wchar_t kEntrada[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalvenor";
// How long the installer or the uninstaller may take.
constexpr std::chrono::seconds kEsperaPrograma{120};

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

std::wstring Minusculas(std::wstring texto) {
    std::transform(texto.begin(), texto.end(), texto.begin(), [](wchar_t c) { return std::towlower(c); });
    return texto;
}

bool HayEntrada() {
    HKEY clave = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kEntrada, 0, KEY_READ, &clave) != ERROR_SUCCESS) return false;
    ::RegCloseKey(clave);
    return true;
}

std::optional<std::wstring> TextoDeLaEntrada(const wchar_t* valor) {
    wchar_t texto[1024] = {};
    DWORD bytes = sizeof(texto);
    if (::RegGetValueW(HKEY_CURRENT_USER, kEntrada, valor, RRF_RT_REG_SZ, nullptr, texto, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return texto;
}

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

// Runs a command line until it and every process it started have ended (the
// uninstaller goes on from a copy of itself); its exit code, or nothing if it
// did not start or end.
std::optional<DWORD> Ejecutar(std::wstring lineaOrdenes) {
    HANDLE trabajo = ::CreateJobObjectW(nullptr, nullptr);
    if (!trabajo) return std::nullopt;
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION proceso{};
    std::optional<DWORD> codigo;
    if (::CreateProcessW(nullptr, lineaOrdenes.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                         &inicio, &proceso)) {
        const bool enElTrabajo = ::AssignProcessToJobObject(trabajo, proceso.hProcess);
        ::ResumeThread(proceso.hThread);
        const auto todosTerminados = [&] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION cuentas{};
            return ::QueryInformationJobObject(trabajo, JobObjectBasicAccountingInformation, &cuentas, sizeof(cuentas),
                                               nullptr) &&
                   cuentas.ActiveProcesses == 0;
        };
        DWORD salida = 0;
        if (enElTrabajo && EsperarHasta(todosTerminados, kEsperaPrograma) &&
            ::GetExitCodeProcess(proceso.hProcess, &salida))
            codigo = salida;
        ::CloseHandle(proceso.hThread);
        ::CloseHandle(proceso.hProcess);
    }
    ::CloseHandle(trabajo);
    return codigo;
}

// Bytes of the files in a folder, in KiB as the list of installed programs
// counts them.
DWORD KiBEnLaCarpeta(const std::wstring& carpeta) {
    ULONGLONG bytes = 0;
    WIN32_FIND_DATAW datos{};
    HANDLE busqueda = ::FindFirstFileW((carpeta + L"\\*").c_str(), &datos);
    if (busqueda == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes += (ULONGLONG{datos.nFileSizeHigh} << 32) | datos.nFileSizeLow;
    } while (::FindNextFileW(busqueda, &datos));
    ::FindClose(busqueda);
    return static_cast<DWORD>(bytes / 1024);
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
        {L"UninstallString", L"\"" + desinstalador + L"\""},
        {L"QuietUninstallString", L"\"" + desinstalador + L"\" /S"},
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
    EXPECT_FALSE(Existe(carpeta));
    EXPECT_FALSE(HayEntrada());
    EXPECT_FALSE(Existe(acceso));
    EXPECT_EQ(LeerBytes(preferencias), guardado) << "el archivo de preferencias cambió o ya no está";

    // Installed again, the program opens with the option stored before.
    ASSERT_EQ(Ejecutar(L"\"" + instalador + L"\" /S"), std::optional<DWORD>(0));
    Programa otraVez(Programa::Copia{exe});
    ASSERT_NO_FATAL_FAILURE(SeAbre(otraVez));
    EXPECT_EQ(Opacidad(otraVez.Principal()), std::optional<BYTE>(180));
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
