#include "settings/AvisoNoGuardado.h"

namespace kalvenor {

std::u16string AvisoNoSeGuardo(ResultadoGuardado resultado, std::u16string_view escrito, std::u16string_view leido) {
    std::u16string aviso;
    if (escrito.empty()) {
        aviso =
            u"No se pudieron guardar las opciones: no se encontró la carpeta de datos de aplicaciones, así que "
            u"no se escribió nada.";
    } else {
        aviso = u"No se pudieron guardar las opciones en el archivo de configuración:\n\n";
        aviso += escrito;
    }
    aviso += u"\n\n";
    if (resultado == ResultadoGuardado::AMedias) {
        aviso +=
            u"Puede que ese archivo haya quedado con solo una parte de las opciones nuevas; Kalvenor usará los "
            u"valores que tenga.";
    } else if (leido.empty()) {
        aviso += u"Kalvenor seguirá con los valores predeterminados.";
    } else if (leido == escrito) {
        aviso += u"Kalvenor seguirá con los valores anteriores, los de ese archivo.";
    } else {
        aviso += u"Kalvenor seguirá con los valores anteriores, los del archivo de la carpeta de Windows:\n\n";
        aviso += leido;
    }
    return aviso;
}

}  // namespace kalvenor
