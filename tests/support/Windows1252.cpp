#include "Windows1252.h"

namespace kalvenor::pruebas {

namespace {

// Windows-1252 at 0x80 to 0x9F, where it differs from Latin-1. The five codes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control character of the same number, as Windows converts them.
constexpr char16_t Tabla80a9F[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

}  // namespace

char16_t CaracterWindows1252(std::int16_t codigo) {
    if (codigo < 0 || codigo > 0xFF) {
        // A single-byte code page has no character for such a code (it would be
        // a lead and a trail byte of a double-byte one).
        return u'\uFFFD';
    }
    if (codigo >= 0x80 && codigo <= 0x9F) return Tabla80a9F[codigo - 0x80];
    // 0x00 to 0x7F are ASCII and 0xA0 to 0xFF are Latin-1: the same numbers.
    return static_cast<char16_t>(codigo);
}

}  // namespace kalvenor::pruebas
