#pragma once
// What tests under Wine share of the system: the screen's dpi, whole files
// and temporary folders.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvenor::pruebas {

// The screen's vertical dpi, as the program scales its windows by it.
int PuntosPorPulgada();

// The file's bytes; nothing when it cannot be opened.
std::optional<std::string> LeerBytes(const std::wstring& ruta);
// Makes or replaces the file with exactly these bytes; false on any failure.
bool EscribirBytes(const std::wstring& ruta, std::string_view bytes);
// A file's lines, without their ends; empty lines left out.
std::vector<std::string> LineasDe(std::string_view bytes);

// What a folder holds, but "." and "..": each entry's name, whether it is a
// folder, its size in bytes and when it was last written (FILETIME units).
struct EntradaDeCarpeta {
    std::wstring nombre;
    bool esCarpeta = false;
    unsigned long long bytes = 0;
    unsigned long long escrito = 0;
};
std::vector<EntradaDeCarpeta> Contenido(const std::wstring& carpeta);

// An environment variable of this process set for a while: the destructor
// puts back the value it had, or removes it.
class VariableDeEntorno {
public:
    VariableDeEntorno(const wchar_t* nombre, std::wstring_view valor);
    ~VariableDeEntorno();
    VariableDeEntorno(const VariableDeEntorno&) = delete;
    VariableDeEntorno& operator=(const VariableDeEntorno&) = delete;
    // Empty: the variable is removed.
    bool Poner(const std::wstring& valor) const;

private:
    const wchar_t* nombre_;
    std::optional<std::wstring> anterior_;
};

// A fresh folder under the temporary folder, removed with everything in it.
class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::wstring& Ruta() const noexcept { return ruta_; }

private:
    std::wstring ruta_;
};

}  // namespace kalvenor::pruebas
