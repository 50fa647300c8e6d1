#include "Sistema.h"

#include <windows.h>

#include <atomic>

#include "forms/win32/Handles.h"

namespace kalvenor::pruebas {

namespace {

forms::UniqueKernelObject Abrir(const std::wstring& ruta, DWORD acceso, DWORD compartir, DWORD como) {
    HANDLE archivo = ::CreateFileW(ruta.c_str(), acceso, compartir, nullptr, como, FILE_ATTRIBUTE_NORMAL, nullptr);
    return forms::UniqueKernelObject(archivo == INVALID_HANDLE_VALUE ? nullptr : archivo);
}

void BorrarArbol(const std::wstring& carpeta) {
    for (const EntradaDeCarpeta& entrada : Contenido(carpeta)) {
        const std::wstring ruta = carpeta + L"\\" + entrada.nombre;
        if (entrada.esCarpeta) {
            BorrarArbol(ruta);
        } else {
            ::SetFileAttributesW(ruta.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(ruta.c_str());
        }
    }
    ::RemoveDirectoryW(carpeta.c_str());
}

}  // namespace

std::vector<EntradaDeCarpeta> Contenido(const std::wstring& carpeta) {
    std::vector<EntradaDeCarpeta> entradas;
    WIN32_FIND_DATAW datos{};
    HANDLE busqueda = ::FindFirstFileW((carpeta + L"\\*").c_str(), &datos);
    if (busqueda == INVALID_HANDLE_VALUE) return entradas;
    const auto entero = [](DWORD alto, DWORD bajo) { return (static_cast<unsigned long long>(alto) << 32) | bajo; };
    do {
        const std::wstring nombre = datos.cFileName;
        if (nombre == L"." || nombre == L"..") continue;
        entradas.push_back({nombre, (datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                            entero(datos.nFileSizeHigh, datos.nFileSizeLow),
                            entero(datos.ftLastWriteTime.dwHighDateTime, datos.ftLastWriteTime.dwLowDateTime)});
    } while (::FindNextFileW(busqueda, &datos));
    ::FindClose(busqueda);
    return entradas;
}

int PuntosPorPulgada() {
    forms::WindowDc pantalla(nullptr);
    return ::GetDeviceCaps(pantalla.get(), LOGPIXELSY);
}

std::optional<std::string> LeerBytes(const std::wstring& ruta) {
    const auto archivo =
        Abrir(ruta, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!archivo) return std::nullopt;
    std::string bytes;
    char bloque[4096];
    DWORD leidos = 0;
    while (::ReadFile(archivo.get(), bloque, sizeof bloque, &leidos, nullptr) && leidos > 0)
        bytes.append(bloque, leidos);
    return bytes;
}

bool EscribirBytes(const std::wstring& ruta, std::string_view bytes) {
    const auto archivo = Abrir(ruta, GENERIC_WRITE, 0, CREATE_ALWAYS);
    DWORD escritos = 0;
    return archivo && ::WriteFile(archivo.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &escritos, nullptr) &&
           escritos == bytes.size();
}

std::vector<std::string> LineasDe(std::string_view bytes) {
    std::vector<std::string> lineas;
    size_t inicio = 0;
    while (inicio <= bytes.size()) {
        size_t fin = bytes.find('\n', inicio);
        if (fin == std::string_view::npos) fin = bytes.size();
        std::string linea(bytes.substr(inicio, fin - inicio));
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        if (!linea.empty()) lineas.push_back(std::move(linea));
        inicio = fin + 1;
    }
    return lineas;
}

VariableDeEntorno::VariableDeEntorno(const wchar_t* nombre, std::wstring_view valor) : nombre_(nombre) {
    const DWORD necesario = ::GetEnvironmentVariableW(nombre, nullptr, 0);
    if (necesario > 0) {
        anterior_.emplace(necesario, L'\0');
        anterior_->resize(::GetEnvironmentVariableW(nombre, anterior_->data(), necesario));
    }
    Poner(std::wstring(valor));
}

VariableDeEntorno::~VariableDeEntorno() {
    ::SetEnvironmentVariableW(nombre_, anterior_ ? anterior_->c_str() : nullptr);
}

bool VariableDeEntorno::Poner(const std::wstring& valor) const {
    return ::SetEnvironmentVariableW(nombre_, valor.empty() ? nullptr : valor.c_str()) != FALSE;
}

CarpetaTemporal::CarpetaTemporal() {
    static std::atomic<unsigned> contador{0};
    wchar_t temporal[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temporal);
    std::wstring base = temporal;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (;;) {
        ruta_ = base + L"\\kalvenor-prueba-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(contador++);
        if (::CreateDirectoryW(ruta_.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

CarpetaTemporal::~CarpetaTemporal() { BorrarArbol(ruta_); }

}  // namespace kalvenor::pruebas
