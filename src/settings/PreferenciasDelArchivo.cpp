#include "settings/PreferenciasDelArchivo.h"

#include "forms/core/Text.h"
#include "settings/ArchivoINI.h"
#include "settings/AvisoNoGuardado.h"

namespace kalvenor {

std::vector<ClaveRechazada> CargarPreferencias() {
    ArchivoINI archivo;
    return CargarPreferencias(archivo);
}

ResultadoGuardado GuardarPreferencias(const PreferenciasUsuario& valores) {
    ArchivoINI archivo;
    return GuardarPreferencias(archivo, valores);
}

std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado) {
    return AvisoNoSeGuardo(resultado, forms::TextFromWide(RutaArchivoPreferencias()),
                           forms::TextFromWide(RutaArchivoPreferenciasLeido()));
}

}  // namespace kalvenor
