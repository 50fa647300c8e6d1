#include "settings/PreferenciasDelArchivo.h"

#include "forms/core/Texto.h"
#include "settings/ArchivoINI.h"
#include "settings/AvisoNoGuardado.h"

namespace kalvenor {

std::vector<ClaveRechazada> CargarPreferencias() {
    ArchivoINI archivo;
    return CargarPreferencias(archivo);
}

ResultadoGuardado GuardarPreferencias(std::int32_t barrido, std::int32_t layer, std::int16_t showPopUp,
                                      std::int16_t movible) {
    ArchivoINI archivo;
    return GuardarPreferencias(archivo, barrido, layer, showPopUp, movible);
}

std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado) {
    return AvisoNoSeGuardo(resultado, forms::TextoDesdeAncho(RutaArchivoPreferencias()),
                           forms::TextoDesdeAncho(RutaArchivoPreferenciasLeido()));
}

}  // namespace kalvenor
