#include "settings/Preferencias.h"

#include "forms/core/TituloAplicacion.h"
#include "forms/core/Conversiones.h"
#include "forms/core/ErrorEjecucion.h"

namespace kalvenor {

PreferenciasUsuario Preferencias;

namespace {

// One key: read twice, default for an empty test text; a value that
// cannot be converted gives the default and is recorded.
template <class Entero, class Conversion>
Entero LeerClave(PerfilINI& perfil, std::u16string_view clave, Entero predeterminado,
                 Conversion convertir, std::vector<ClaveRechazada>& rechazadas) {
    const std::u16string prueba = perfil.LeerINI(kSeccionPreferencias, clave, forms::TituloAplicacion());
    const std::u16string valor = perfil.LeerINI(kSeccionPreferencias, clave, forms::TituloAplicacion());
    if (prueba.empty()) return predeterminado;
    try {
        return convertir(valor);
    } catch (const forms::ErrorEjecucion& error) {
        rechazadas.push_back({clave, valor, error.Numero()});
        return predeterminado;
    }
}

}  // namespace

std::vector<ClaveRechazada> CargarPreferencias(PerfilINI& perfil) {
    std::vector<ClaveRechazada> rechazadas;
    Preferencias.Barrido =
        LeerClave(perfil, kClaveBarrido, kBarridoPredeterminado, forms::Entero16DesdeTexto, rechazadas);
    Preferencias.Layer = LeerClave(perfil, kClaveLayer, kLayerPredeterminado, forms::ByteDesdeTexto, rechazadas);
    Preferencias.ShowPopUp =
        LeerClave(perfil, kClaveShowPopUp, kShowPopUpPredeterminado, forms::Entero16DesdeTexto, rechazadas);
    Preferencias.Movible =
        LeerClave(perfil, kClaveMovible, kMoviblePredeterminado, forms::Entero16DesdeTexto, rechazadas);
    return rechazadas;
}

}  // namespace kalvenor
