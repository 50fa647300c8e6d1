// The warning of a failed save names the file written and the values the
// program goes on with.

#include "settings/AvisoNoGuardado.h"

#include <gtest/gtest.h>

namespace kalvenor {
namespace {

constexpr std::u16string_view kPorUsuario = u"C:\\Users\\ana\\AppData\\Roaming\\Kalvenor\\Kalvenor";
constexpr std::u16string_view kEnWindows = u"C:\\Windows\\Kalvenor";

TEST(AvisoNoSeGuardo, NombraElArchivoYLosValoresQueQuedan) {
    struct Caso {
        ResultadoGuardado resultado;
        std::u16string_view escrito, leido;
        std::u16string_view aviso;
    };
    const Caso casos[] = {
        {ResultadoGuardado::SinCambios, kPorUsuario, kPorUsuario,
         u"No se pudieron guardar las opciones en el archivo de configuración:\n\n"
         u"C:\\Users\\ana\\AppData\\Roaming\\Kalvenor\\Kalvenor\n\n"
         u"Kalvenor seguirá con los valores anteriores, los de ese archivo."},
        {ResultadoGuardado::SinCambios, kPorUsuario, kEnWindows,
         u"No se pudieron guardar las opciones en el archivo de configuración:\n\n"
         u"C:\\Users\\ana\\AppData\\Roaming\\Kalvenor\\Kalvenor\n\n"
         u"Kalvenor seguirá con los valores anteriores, los del archivo de la carpeta de Windows:\n\n"
         u"C:\\Windows\\Kalvenor"},
        {ResultadoGuardado::SinCambios, kPorUsuario, u"",
         u"No se pudieron guardar las opciones en el archivo de configuración:\n\n"
         u"C:\\Users\\ana\\AppData\\Roaming\\Kalvenor\\Kalvenor\n\n"
         u"Kalvenor seguirá con los valores predeterminados."},
        {ResultadoGuardado::AMedias, kPorUsuario, kPorUsuario,
         u"No se pudieron guardar las opciones en el archivo de configuración:\n\n"
         u"C:\\Users\\ana\\AppData\\Roaming\\Kalvenor\\Kalvenor\n\n"
         u"Puede que ese archivo haya quedado con solo una parte de las opciones nuevas; Kalvenor usará los "
         u"valores que tenga."},
        {ResultadoGuardado::SinCambios, u"", kEnWindows,
         u"No se pudieron guardar las opciones: no se encontró la carpeta de datos de aplicaciones, así que no se "
         u"escribió nada.\n\n"
         u"Kalvenor seguirá con los valores anteriores, los del archivo de la carpeta de Windows:\n\n"
         u"C:\\Windows\\Kalvenor"},
        {ResultadoGuardado::SinCambios, u"", u"",
         u"No se pudieron guardar las opciones: no se encontró la carpeta de datos de aplicaciones, así que no se "
         u"escribió nada.\n\n"
         u"Kalvenor seguirá con los valores predeterminados."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::Message() << "caso " << (&caso - casos));
        EXPECT_EQ(AvisoNoSeGuardo(caso.resultado, caso.escrito, caso.leido), caso.aviso);
    }
}

}  // namespace
}  // namespace kalvenor
