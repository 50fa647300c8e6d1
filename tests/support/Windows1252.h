#pragma once
// Windows-1252, the Western code page, as a table independent of the machine:
// portable tests turn key codes into characters with it.

#include <cstdint>

namespace kalvenor::pruebas {

char16_t CaracterWindows1252(std::int16_t codigo);

}  // namespace kalvenor::pruebas
