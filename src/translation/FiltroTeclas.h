#pragma once
// The key filters of the two text boxes: each box refuses, key by
// key, the typed characters that are not in its set.

#include <cstdint>
#include <string_view>

#include "forms/core/AnsiCode.h"

namespace kalvenor {

// The plain-text box (txtNormal): the Spanish alphabet in both cases, full stop and comma.
inline constexpr std::u16string_view PermitidosNormal = u"ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.,abcdefghijklmnñopqrstuvwxyz";
// The code box (txtClave): the letters without a digit in the code table, in both
// cases, full stop, comma and the ten digits.
inline constexpr std::u16string_view PermitidosClave = u"BDFHJKNÑPQSTVWXYZ.,bdfhjknñpqstvwxyz1234567890";

static_assert(PermitidosNormal.size() == 56);
static_assert(PermitidosClave.size() == 46);

// Whether a box with the given set takes the typed key: a key passes when its
// code is 8 or less (signed: backspace, codes 1 to 7, 0 and every negative
// code) or when its character, through the code page of aCaracter, is in the
// set (exact comparison, case matters). On a UTF-8 code page the code that
// counts is the character's code in Windows-1252, the code page the sets are
// written in, so that á is refused there as everywhere else.
bool TeclaPermitida(std::int16_t KeyAscii, std::u16string_view permitidos, forms::AnsiConverter aCaracter,
                    forms::AnsiCodePageKind pagina);

// The key-press handler's body: sets KeyAscii to 0 (the key is cancelled)
// when the box does not take the key, and otherwise leaves it unchanged.
void FiltrarTecla(std::int16_t& KeyAscii, std::u16string_view permitidos, forms::AnsiConverter aCaracter,
                  forms::AnsiCodePageKind pagina);

}  // namespace kalvenor
