#pragma once
// The preferences against the real settings file (ArchivoINI): what the
// windows call. Win32 only; library kalvenor_settings_win32.

#include <string>
#include <vector>

#include "settings/Preferencias.h"

namespace kalvenor {

std::vector<ClaveRechazada> CargarPreferencias();
ResultadoGuardado GuardarPreferencias(const PreferenciasUsuario& valores);
// The warning for a failed save, naming the files as they stand now.
std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado);

}  // namespace kalvenor
