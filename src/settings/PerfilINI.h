#pragma once
// The seam between the settings and the profile (INI) file that holds them:
// reading, writing and removing one key. The program uses the Win32 ArchivoINI
// (settings/ArchivoINI.h); tests use PerfilEnMemoria (tests/support/PerfilEnMemoria.h).

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
    // and the file as needed; the other keys keep their values. True when the
    // value was stored; on false the file is as it was.
    virtual bool EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                             std::u16string_view archivo) = 0;

    // Removes the key's line from the section; the section's header stays,
    // even with no keys left. True when the key is gone, also when it was never
    // there; on false the file is as it was.
    virtual bool BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) = 0;
};

// The read's buffer holds 255 characters with the terminating zero.
inline constexpr std::size_t kLongitudMaximaValorINI = 254;

}  // namespace kalvenor
