#include "settings/ArchivoINI.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "forms/core/Text.h"
#include "forms/core/AppTitle.h"
#include "forms/win32/SystemAnsiCode.h"
#include "forms/win32/Handles.h"

namespace kalvenor {

namespace {

// The folder under %APPDATA% that holds the settings file.
constexpr std::wstring_view kCarpetaPreferencias = L"Kalvenor";
// The read buffer: 254 characters and the terminating zero.
constexpr DWORD kLongitudBuffer = static_cast<DWORD>(kLongitudMaximaValorINI + 1);

using forms::SystemAnsiText;
using forms::TextFromSystemAnsi;
using forms::TextFromWide;
using forms::WideFromText;

// What the A functions would see of the text: through the ANSI code page and back.
std::wstring PorAnsi(std::u16string_view texto) { return TextFromSystemAnsi(SystemAnsiText(texto)); }

bool CabeEnAnsi(std::wstring_view texto) { return TextFromSystemAnsi(SystemAnsiText(texto)) == texto; }

std::wstring CarpetaDatosAplicacion() {
    const DWORD necesario = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (necesario > 1) {
        std::wstring valor(necesario, L'\0');
        const DWORD copiado = GetEnvironmentVariableW(L"APPDATA", valor.data(), necesario);
        if (copiado > 0 && copiado < necesario) {
            valor.resize(copiado);
            return valor;
        }
    }
    // Without the variable the shell knows the folder. Shell32 is loaded only
    // then: loaded with the program, it costs a tenth of every start or more
    // under Wine. From the system folder only, never from beside the exe.
    const forms::UniqueModule shell32(LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!shell32) return {};
    const auto carpetaDeLaShell = reinterpret_cast<decltype(&SHGetFolderPathW)>(
        reinterpret_cast<void*>(GetProcAddress(shell32.get(), "SHGetFolderPathW")));
    wchar_t ruta[MAX_PATH] = {};
    if (carpetaDeLaShell && SUCCEEDED(carpetaDeLaShell(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, ruta)))
        return ruta;
    return {};
}

std::wstring CarpetaPreferencias() {
    std::wstring carpeta = CarpetaDatosAplicacion();
    if (carpeta.empty()) return {};
    if (carpeta.back() != L'\\' && carpeta.back() != L'/') carpeta += L'\\';
    carpeta += kCarpetaPreferencias;
    return carpeta;
}

std::wstring RutaPorUsuario(std::u16string_view archivo) {
    std::wstring carpeta = CarpetaPreferencias();
    if (carpeta.empty()) return {};
    return carpeta + L'\\' + WideFromText(archivo);
}

// The file a bare name finds: the profile functions look it up in the
// Windows directory.
std::wstring RutaEnWindows(std::u16string_view archivo) {
    wchar_t carpeta[MAX_PATH] = {};
    const UINT longitud = GetWindowsDirectoryW(carpeta, MAX_PATH);
    if (longitud == 0 || longitud >= MAX_PATH) return {};
    std::wstring ruta(carpeta, longitud);
    if (ruta.back() != L'\\') ruta += L'\\';
    return ruta + WideFromText(archivo);
}

bool EsArchivo(const std::wstring& ruta) {
    const DWORD atributos = GetFileAttributesW(ruta.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool AsegurarCarpeta(const std::wstring& carpeta) {
    if (CreateDirectoryW(carpeta.c_str(), nullptr)) return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const DWORD atributos = GetFileAttributesW(carpeta.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The per-user file, ready to be written: its folder exists and, the first
// time, it starts as a copy of the Windows-directory file that reads came from
// until then, so that writing one key leaves the others reading as before.
// Empty when that cannot be done.
std::wstring PrepararPorUsuario(std::u16string_view archivo) {
    const std::wstring carpeta = CarpetaPreferencias();
    if (carpeta.empty() || !AsegurarCarpeta(carpeta)) return {};
    const std::wstring ruta = carpeta + L'\\' + WideFromText(archivo);
    if (EsArchivo(ruta)) return ruta;
    const std::wstring anterior = RutaEnWindows(archivo);
    if (anterior.empty() || !EsArchivo(anterior)) return ruta;
    if (!CopyFileW(anterior.c_str(), ruta.c_str(), TRUE)) return {};
    // The copy keeps a read-only attribute, which would fail every write.
    SetFileAttributesW(ruta.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ruta;
}

// The file reads come from, by the rule of LeerINI; empty when there is none.
std::wstring ArchivoLeido(std::u16string_view archivo) {
    const std::wstring porUsuario = RutaPorUsuario(archivo);
    if (!porUsuario.empty() && EsArchivo(porUsuario)) return porUsuario;
    const std::wstring enWindows = RutaEnWindows(archivo);
    return !enWindows.empty() && EsArchivo(enWindows) ? enWindows : std::wstring();
}

std::u16string Leer(std::u16string_view seccion, std::u16string_view clave, const std::wstring& archivo) {
    if (CabeEnAnsi(archivo)) {
        std::string buffer(kLongitudBuffer, '\0');
        const DWORD n = GetPrivateProfileStringA(SystemAnsiText(seccion).c_str(), SystemAnsiText(clave).c_str(), "",
                                                 buffer.data(), kLongitudBuffer, SystemAnsiText(archivo).c_str());
        return TextFromWide(TextFromSystemAnsi(std::string_view(buffer.data(), n)));
    }
    std::wstring buffer(kLongitudBuffer, L'\0');
    const DWORD n = GetPrivateProfileStringW(PorAnsi(seccion).c_str(), PorAnsi(clave).c_str(), L"", buffer.data(),
                                             kLongitudBuffer, archivo.c_str());
    return TextFromWide(std::wstring_view(buffer.data(), n));
}

// One write of the profile functions; no value removes the key.
bool Escribir(std::u16string_view seccion, std::u16string_view clave, std::optional<std::u16string_view> valor,
              const std::wstring& ruta) {
    if (CabeEnAnsi(ruta)) {
        const std::string texto = valor ? SystemAnsiText(*valor) : std::string();
        return WritePrivateProfileStringA(SystemAnsiText(seccion).c_str(), SystemAnsiText(clave).c_str(),
                                          valor ? texto.c_str() : nullptr, SystemAnsiText(ruta).c_str()) != FALSE;
    }
    const std::wstring texto = valor ? PorAnsi(*valor) : std::wstring();
    return WritePrivateProfileStringW(PorAnsi(seccion).c_str(), PorAnsi(clave).c_str(), valor ? texto.c_str() : nullptr,
                                      ruta.c_str()) != FALSE;
}

}  // namespace

std::u16string ArchivoINI::LeerINI(std::u16string_view seccion, std::u16string_view clave,
                                   std::u16string_view archivo) {
    const std::wstring porUsuario = RutaPorUsuario(archivo);
    if (!porUsuario.empty() && EsArchivo(porUsuario)) return Leer(seccion, clave, porUsuario);
    // No per-user file yet: the bare name, which the platform looks up in the
    // Windows directory.
    return Leer(seccion, clave, WideFromText(archivo));
}

bool ArchivoINI::EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                             std::u16string_view archivo) {
    const std::wstring ruta = PrepararPorUsuario(archivo);
    return !ruta.empty() && Escribir(seccion, clave, valor, ruta);
}

bool ArchivoINI::BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) {
    const std::wstring ruta = PrepararPorUsuario(archivo);
    return !ruta.empty() && Escribir(seccion, clave, std::nullopt, ruta);
}

std::wstring RutaArchivoPreferencias() { return RutaPorUsuario(forms::AppTitle()); }

std::wstring RutaArchivoPreferenciasLeido() { return ArchivoLeido(forms::AppTitle()); }

}  // namespace kalvenor
