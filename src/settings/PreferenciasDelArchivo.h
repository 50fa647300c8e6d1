#pragma once
// The preferences against the real settings file (ArchivoINI): what the
// windows call. Win32 only; library kalvenor_settings_win32.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/Preferencias.h"

namespace kalvenor {

std::vector<ClaveRechazada> CargarPreferencias();
ResultadoGuardado GuardarPreferencias(std::int32_t barrido, std::int32_t layer, std::int16_t showPopUp,
                                      std::int16_t movible);
// The warning for a failed save, naming the files as they stand now.
std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado);

}  // namespace kalvenor
