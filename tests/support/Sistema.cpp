#include "Sistema.h"

#include <windows.h>

#include "forms/win32/Handles.h"

namespace kalvenor::pruebas {

namespace {

forms::UniqueKernelObject Abrir(const std::wstring& ruta, DWORD acceso, DWORD compartir, DWORD como) {
    HANDLE archivo = ::CreateFileW(ruta.c_str(), acceso, compartir, nullptr, como, FILE_ATTRIBUTE_NORMAL, nullptr);
    return forms::UniqueKernelObject(archivo == INVALID_HANDLE_VALUE ? nullptr : archivo);
}

}  // namespace

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
    while (::ReadFile(archivo.get(), bloque, sizeof bloque, &leidos, nullptr) && leidos > 0) bytes.append(bloque, leidos);
    return bytes;
}

bool EscribirBytes(const std::wstring& ruta, std::string_view bytes) {
    const auto archivo = Abrir(ruta, GENERIC_WRITE, 0, CREATE_ALWAYS);
    DWORD escritos = 0;
    return archivo && ::WriteFile(archivo.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &escritos, nullptr) &&
           escritos == bytes.size();
}

}  // namespace kalvenor::pruebas
