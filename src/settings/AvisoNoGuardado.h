#pragma once
// The warning "Aceptar" shows when the options could not be stored: which file
// the program tried to write and which values it goes on with.

#include <string>
#include <string_view>

#include "settings/Preferencias.h"

namespace kalvenor {

// `escrito`: the file the save wrote to; empty when no folder for application
// data was found, so nothing could be written. `leido`: the file the settings
// are read from now; empty when there is none (the defaults apply). A `leido`
// other than `escrito` is the file in the Windows folder, read while the
// per-user file does not exist. `resultado` is never Guardado.
std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado, std::u16string_view escrito, std::u16string_view leido);

}  // namespace kalvenor
