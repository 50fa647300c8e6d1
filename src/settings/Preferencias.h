#pragma once
// The user's preferences: the settings file's section and keys, the
// module-level Preferencias, CargarPreferencias, which fills it, and
// GuardarPreferencias, which stores the options window's values in the file.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "settings/PerfilINI.h"

namespace kalvenor {

// The file is named after the application title (forms::AppTitle()).
inline constexpr std::u16string_view kSeccionPreferencias = u"ConfiguraciónGeneral";

// The four settings, each named by what it is; the keys of the file keep the
// names they have ("Barrido", "Layer", "ShowPopUp", "Movible").
struct PreferenciasUsuario {
    std::int16_t PasoDelBarrido;  // sweep step, twips per timer tick
    std::uint8_t Opacidad;        // as stored: 0 transparent, 255 opaque (applied at least 51)
    std::int16_t SiempreEncima;   // non-zero: keep the main window on top
    std::int16_t Movible;         // 0: the main window cannot be moved
};

struct Intervalo {
    std::int32_t minimo;
    std::int32_t maximo;

    constexpr bool Contiene(std::int32_t valor) const { return minimo <= valor && valor <= maximo; }
};

// One key of the settings file and the field of PreferenciasUsuario it fills.
struct ClavePreferencia {
    std::u16string_view nombre;
    std::int32_t predeterminado;  // for a key that is missing, empty or unusable
    Intervalo archivo;            // the values that load: the field type's range
    Intervalo opciones;           // the values the options window offers
    std::int32_t (*leer)(const PreferenciasUsuario&);
    void (*asignar)(PreferenciasUsuario&, std::int32_t);
};

namespace detalle {
template <auto campo>
constexpr ClavePreferencia Clave(std::u16string_view nombre, std::int32_t predeterminado, Intervalo opciones) {
    using Tipo = std::remove_cvref_t<decltype(std::declval<PreferenciasUsuario&>().*campo)>;
    return {nombre,
            predeterminado,
            {std::numeric_limits<Tipo>::min(), std::numeric_limits<Tipo>::max()},
            opciones,
            [](const PreferenciasUsuario& p) -> std::int32_t { return p.*campo; },
            [](PreferenciasUsuario& p, std::int32_t valor) { p.*campo = static_cast<Tipo>(valor); }};
}
}  // namespace detalle

// The keys of the file, one constant each.
// clang-format off
//                                                  key           default  options window
inline constexpr ClavePreferencia kPreferenciaBarrido =
    detalle::Clave<&PreferenciasUsuario::PasoDelBarrido>  (u"Barrido",    200,     {50, 600});
inline constexpr ClavePreferencia kPreferenciaLayer =
    detalle::Clave<&PreferenciasUsuario::Opacidad>    (u"Layer",      255,     {51, 255});
inline constexpr ClavePreferencia kPreferenciaShowPopUp =
    detalle::Clave<&PreferenciasUsuario::SiempreEncima>(u"ShowPopUp",  1,       {0, 1});
inline constexpr ClavePreferencia kPreferenciaMovible =
    detalle::Clave<&PreferenciasUsuario::Movible>  (u"Movible",    0,       {0, 1});
// clang-format on

// The four keys, in the order in which they are read and written.
inline constexpr const ClavePreferencia* kClavesPreferencias[] = {&kPreferenciaBarrido, &kPreferenciaLayer,
                                                                  &kPreferenciaShowPopUp, &kPreferenciaMovible};

// A default the file could not hold, or a slider the file could not store,
// would be a fault of this table.
static_assert(std::ranges::all_of(kClavesPreferencias, [](const ClavePreferencia* clave) {
    return clave->archivo.Contiene(clave->predeterminado) && clave->archivo.Contiene(clave->opciones.minimo) &&
           clave->archivo.Contiene(clave->opciones.maximo);
}));

// Every field at its key's default.
constexpr PreferenciasUsuario PreferenciasPredeterminadas() {
    PreferenciasUsuario predeterminadas{};
    for (const ClavePreferencia* clave : kClavesPreferencias) clave->asignar(predeterminadas, clave->predeterminado);
    return predeterminadas;
}

// Alive for the whole run; CargarPreferencias is its only writer. (The program
// against the real settings file: settings/PreferenciasDelArchivo.h.)
extern PreferenciasUsuario Preferencias;

// A key whose value was present but could not be converted, so that it took
// its default.
struct ClaveRechazada {
    const ClavePreferencia* clave;  // its row, one of kClavesPreferencias
    std::u16string valor;           // the value text as read
    int error;                      // forms::kErrorTypeMismatch or forms::kErrorOverflow

    bool operator==(const ClaveRechazada&) const = default;
};

// Fills the four fields of Preferencias from the settings file, key by key in
// the order of kClavesPreferencias: each key is read once; a missing or empty
// value gives the key's default, any other value is converted to the field's
// type. A value that is no number or
// is out of the field's range (an edited file; it must not keep the program
// from starting) gives the key's default and is listed in the result;
// the other keys are read as usual and nothing is written. Never throws for
// the file's content.
std::vector<ClaveRechazada> CargarPreferencias(PerfilINI& perfil);

enum class ResultadoGuardado {
    Guardado,    // the four keys hold the new values
    SinCambios,  // a write failed; every key reads as it did before the save
    AMedias,     // a write failed and so did putting an earlier value back:
                 // some keys may hold the new values and others the old ones
};

// Writes each field of `valores` as plain decimal text to its key, in the
// order of kClavesPreferencias. When one write fails, the keys
// already written get back the values they had, so that a failed save leaves
// the file as it was. Never touches Preferencias.
ResultadoGuardado GuardarPreferencias(PerfilINI& perfil, const PreferenciasUsuario& valores);

}  // namespace kalvenor
