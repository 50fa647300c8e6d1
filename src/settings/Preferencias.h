#pragma once
// The user's preferences: the settings file's section and keys, the
// module-level Preferencias, CargarPreferencias, which fills it, and
// GuardarPreferencias, which stores the options window's values in the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/PerfilINI.h"

namespace kalvenor {

// The file is named after the application title (forms::TituloAplicacion()).
inline constexpr std::u16string_view kSeccionPreferencias = u"ConfiguraciónGeneral";
// The keys, in the order in which they are read and written.
inline constexpr std::u16string_view kClaveBarrido = u"Barrido";
inline constexpr std::u16string_view kClaveLayer = u"Layer";
inline constexpr std::u16string_view kClaveShowPopUp = u"ShowPopUp";
inline constexpr std::u16string_view kClaveMovible = u"Movible";

// The value of a key that is missing, empty or cannot be converted.
inline constexpr std::int16_t kBarridoPredeterminado = 200;
inline constexpr std::uint8_t kLayerPredeterminado = 255;
inline constexpr std::int16_t kShowPopUpPredeterminado = 1;
inline constexpr std::int16_t kMoviblePredeterminado = 0;

struct PreferenciasUsuario {
    std::int16_t Barrido = kBarridoPredeterminado;      // sweep step, twips per timer tick
    std::uint8_t Layer = kLayerPredeterminado;          // opacity: 0 transparent, 255 opaque
    std::int16_t ShowPopUp = kShowPopUpPredeterminado;  // non-zero: keep the main window on top
    std::int16_t Movible = kMoviblePredeterminado;      // 0: the main window cannot be moved
};

// Alive for the whole run; CargarPreferencias is its only writer.
extern PreferenciasUsuario Preferencias;

// A key whose value was present but could not be converted, so that it took
// its default.
struct ClaveRechazada {
    std::u16string_view clave;  // one of the kClave... constants
    std::u16string valor;       // the value text as read
    int error;                  // forms::kErrorTipoNoCoincide or forms::kErrorDesbordamiento

    bool operator==(const ClaveRechazada&) const = default;
};

// Fills the four fields of Preferencias from the settings file, key by key in
// the order Barrido, Layer, ShowPopUp, Movible: each key is read twice (a test
// text and the value text); an empty test text gives the key's default, any
// other value is converted to the field's type. A value that is no number or
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

// Writes the four values as plain decimal text to the keys Barrido, Layer,
// ShowPopUp and Movible, in that order. When one write fails, the keys
// already written get back the values they had, so that a failed save leaves
// the file as it was. Never touches Preferencias.
ResultadoGuardado GuardarPreferencias(PerfilINI& perfil, std::int32_t barrido, std::int32_t layer,
                                      std::int16_t showPopUp, std::int16_t movible);

#ifdef _WIN32
// The same against the real settings file (ArchivoINI). Defined in the
// library kalvenor_settings_win32.
std::vector<ClaveRechazada> CargarPreferencias();
ResultadoGuardado GuardarPreferencias(std::int32_t barrido, std::int32_t layer, std::int16_t showPopUp,
                                      std::int16_t movible);
#endif

}  // namespace kalvenor
