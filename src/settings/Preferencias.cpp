#include "settings/Preferencias.h"

#include <iterator>

#include "forms/core/AppTitle.h"
#include "forms/core/Conversions.h"
#include "forms/core/RuntimeError.h"

namespace kalvenor {

namespace {

// One key, read once: the default for a missing or empty value; a value that
// cannot be converted gives the default and is recorded.
std::int32_t LeerClave(PerfilINI& perfil, const ClavePreferencia& clave, std::vector<ClaveRechazada>& rechazadas) {
    const std::u16string valor = perfil.LeerINI(kSeccionPreferencias, clave.nombre, forms::AppTitle());
    if (valor.empty()) return clave.predeterminado;
    try {
        return forms::IntegerFromText(valor, clave.archivo.minimo, clave.archivo.maximo);
    } catch (const forms::RuntimeError& error) {
        rechazadas.push_back({&clave, valor, error.Number()});
        return clave.predeterminado;
    }
}

}  // namespace

constinit PreferenciasUsuario Preferencias = PreferenciasPredeterminadas();

std::vector<ClaveRechazada> CargarPreferencias(PerfilINI& perfil) {
    std::vector<ClaveRechazada> rechazadas;
    for (const ClavePreferencia* clave : kClavesPreferencias) {
        clave->asignar(Preferencias, LeerClave(perfil, *clave, rechazadas));
    }
    return rechazadas;
}

ResultadoGuardado GuardarPreferencias(PerfilINI& perfil, const PreferenciasUsuario& valores) {
    constexpr std::size_t kClaves = std::size(kClavesPreferencias);
    const std::u16string archivo(forms::AppTitle());
    const auto nombre = [](std::size_t i) { return kClavesPreferencias[i]->nombre; };
    const auto nuevo = [&valores](std::size_t i) {
        return forms::TextFromNumber(kClavesPreferencias[i]->leer(valores));
    };

    std::u16string anteriores[kClaves];
    for (std::size_t i = 0; i < kClaves; ++i) anteriores[i] = perfil.LeerINI(kSeccionPreferencias, nombre(i), archivo);

    std::size_t escritas = 0;
    while (escritas < kClaves && perfil.EscribirINI(kSeccionPreferencias, nombre(escritas), nuevo(escritas), archivo)) {
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
        restaurado &= anterior.empty() ? perfil.BorrarINI(kSeccionPreferencias, nombre(escritas), archivo)
                                       : perfil.EscribirINI(kSeccionPreferencias, nombre(escritas), anterior, archivo);
    }
    return restaurado ? ResultadoGuardado::SinCambios : ResultadoGuardado::AMedias;
}

}  // namespace kalvenor
