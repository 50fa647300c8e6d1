#pragma once
// Profile files held in memory, for tests: each file is its text, read and
// written the way the platform's profile functions do it (PerfilINITest
// checks both alike).
//   - Section and key names match without regard to the case of ASCII
//     letters, after blanks around them are dropped; the first matching
//     section and, in it, the first matching key count.
//   - A value loses the blanks around it and one pair of enclosing quotes;
//     a read gives at most kLongitudMaximaValorINI characters of it.
//   - A write replaces the key's line, or adds the key at the end of its
//     section, or adds the section at the end of the file, or makes the file.
//   - A delete removes the key's line and leaves its section's header.
//   - Empty lines stay where they are. (Under Wine the profile functions drop
//     them when they rewrite a file, so the shared checks use none.)
// The text is UTF-16, so "ConfiguraciónGeneral" comes back exactly; there is
// no code page here.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/PerfilINI.h"

namespace kalvenor {

class PerfilEnMemoria final : public PerfilINI {
public:
    std::u16string LeerINI(std::u16string_view seccion, std::u16string_view clave,
                           std::u16string_view archivo) override;
    bool EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                     std::u16string_view archivo) override;
    bool BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) override;

    // Sets the whole text of a file, as an editor would; lines end in "\n" or "\r\n".
    void PonerTexto(std::u16string_view archivo, std::u16string_view texto);
    // The whole text, lines ended by "\r\n"; nothing when there is no such file.
    std::optional<std::u16string> Texto(std::u16string_view archivo) const;

    // Counting writes and deletes from this call on (1: the next one), the
    // `desde`-th and the `cuantas` - 1 after it fail: they return false and
    // change nothing. The others succeed. FallarEscrituras(1, 0): none fails.
    static constexpr std::size_t kTodas = static_cast<std::size_t>(-1);
    void FallarEscrituras(std::size_t desde = 1, std::size_t cuantas = kTodas);

private:
    bool EscrituraFalla();

    // The lines of each file, keyed by its name folded to lower case.
    std::map<std::u16string, std::vector<std::u16string>> archivos_;
    std::size_t escrituras_ = 0;
    std::size_t primeraQueFalla_ = 1;
    std::size_t cuantasFallan_ = 0;
};

}  // namespace kalvenor
