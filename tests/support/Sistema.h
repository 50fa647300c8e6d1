#pragma once
// What tests under Wine read of the system: the screen's dpi and whole files.

#include <optional>
#include <string>
#include <string_view>

namespace kalvenor::pruebas {

// The screen's vertical dpi, as the program scales its windows by it.
int PuntosPorPulgada();

// The file's bytes; nothing when it cannot be opened.
std::optional<std::string> LeerBytes(const std::wstring& ruta);
// Makes or replaces the file with exactly these bytes; false on any failure.
bool EscribirBytes(const std::wstring& ruta, std::string_view bytes);

}  // namespace kalvenor::pruebas
