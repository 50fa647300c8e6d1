#pragma once
// The seam between the settings and the profile (INI) file that holds them:
// reading and writing one key. The program uses the Win32 ArchivoINI
// (settings/ArchivoINI.h); tests use PerfilEnMemoria (settings/PerfilEnMemoria.h).

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvenor {

class PerfilINI {
public:
    virtual ~PerfilINI() = default;

    // The value of the key in the section of the profile file, at most
    // kLongitudMaximaValorINI characters (a longer value is cut); the empty
    // text when the file, the section or the key is missing, or the value is
    // empty. Never reports a failure.
    virtual std::u16string LeerINI(std::u16string_view seccion, std::u16string_view clave,
                                   std::u16string_view archivo) = 0;

    // Sets the key in the section to the value, adding the key, the section
    // and the file as needed. True when the value was stored.
    virtual bool EscribirINI(std::u16string_view seccion, std::u16string_view clave,
                             std::u16string_view valor, std::u16string_view archivo) = 0;
};

// The read's buffer holds 255 characters with the terminating zero.
inline constexpr std::size_t kLongitudMaximaValorINI = 254;

}  // namespace kalvenor
