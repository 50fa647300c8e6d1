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
Entero LeerClave(PerfilINI& perfil, std::u16string_view clave, Entero predeterminado, Conversion convertir,
                 std::vector<ClaveRechazada>& rechazadas) {
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

ResultadoGuardado GuardarPreferencias(PerfilINI& perfil, std::int32_t barrido, std::int32_t layer,
                                      std::int16_t showPopUp, std::int16_t movible) {
    constexpr std::size_t kClaves = 4;
    const std::u16string_view claves[kClaves] = {kClaveBarrido, kClaveLayer, kClaveShowPopUp, kClaveMovible};
    const std::int64_t valores[kClaves] = {barrido, layer, showPopUp, movible};
    const std::u16string archivo(forms::TituloAplicacion());

    std::u16string anteriores[kClaves];
    for (std::size_t i = 0; i < kClaves; ++i) anteriores[i] = perfil.LeerINI(kSeccionPreferencias, claves[i], archivo);

    std::size_t escritas = 0;
    while (escritas < kClaves && perfil.EscribirINI(kSeccionPreferencias, claves[escritas],
                                                    forms::TextoDesdeNumero(valores[escritas]), archivo)) {
        ++escritas;
    }
    if (escritas == kClaves) return ResultadoGuardado::Guardado;

    // Undo the writes that held, the last first. An earlier value goes back as
    // it was read (a hand-edited line loses its quotes or blanks, or what lies
    // past the 254 characters a read gives). A key that read empty had no value
    // the program used: it is removed rather than written back empty, so a file
    // that lacked it lacks it again (a file the save created keeps only the
    // section header, which reads as no file). An edited "Clave=" line with
    // nothing after it goes too: missing or empty, the key loads its default.
    bool restaurado = true;
    while (escritas > 0) {
        --escritas;
        const std::u16string& anterior = anteriores[escritas];
        restaurado &= anterior.empty() ? perfil.BorrarINI(kSeccionPreferencias, claves[escritas], archivo)
                                       : perfil.EscribirINI(kSeccionPreferencias, claves[escritas], anterior, archivo);
    }
    return restaurado ? ResultadoGuardado::SinCambios : ResultadoGuardado::AMedias;
}

}  // namespace kalvenor
