// The in-memory profile behaves as the platform's profile functions do, so
// that tests built on it mean what they say.

#include "PerfilEnMemoria.h"

#include <gtest/gtest.h>

namespace kalvenor {
namespace {

constexpr std::u16string_view kSeccion = u"ConfiguraciónGeneral";

TEST(PerfilEnMemoria, SinArchivoLeeVacio) {
    PerfilEnMemoria perfil;
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Barrido", u"Kalvenor"), u"");
    EXPECT_FALSE(perfil.Existe(u"Kalvenor"));
    EXPECT_EQ(perfil.Texto(u"Kalvenor"), std::nullopt);
}

TEST(PerfilEnMemoria, EscribirCreaArchivoSeccionYClave) {
    PerfilEnMemoria perfil;
    EXPECT_TRUE(perfil.EscribirINI(kSeccion, u"Barrido", u"600", u"Kalvenor"));
    EXPECT_EQ(perfil.Texto(u"Kalvenor"), u"[ConfiguraciónGeneral]\r\nBarrido=600\r\n");
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Barrido", u"Kalvenor"), u"600");
}

TEST(PerfilEnMemoria, EscribirReemplazaOAnadeEnSuSeccion) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[ConfiguraciónGeneral]\nBarrido=1\n\n[Otra]\nLayer=9\n");
    EXPECT_TRUE(perfil.EscribirINI(kSeccion, u"barrido", u"2", u"Kalvenor"));
    EXPECT_TRUE(perfil.EscribirINI(kSeccion, u"Layer", u"3", u"Kalvenor"));
    EXPECT_TRUE(perfil.EscribirINI(u"Nueva", u"Movible", u"", u"Kalvenor"));
    EXPECT_EQ(perfil.Texto(u"Kalvenor"),
              u"[ConfiguraciónGeneral]\r\nBarrido=2\r\nLayer=3\r\n\r\n[Otra]\r\nLayer=9\r\n\r\n[Nueva]\r\nMovible=\r\n");
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Layer", u"Kalvenor"), u"3");
    EXPECT_EQ(perfil.LeerINI(u"Otra", u"Layer", u"Kalvenor"), u"9");
    EXPECT_EQ(perfil.LeerINI(u"Nueva", u"Movible", u"Kalvenor"), u"");
}

TEST(PerfilEnMemoria, NombresSinDistinguirMayusculasYConBlancos) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"kalvenor", u"  [ CONFIGURACIÓNGENERAL ]\r\n  LAYER =  12  \r\n");
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Layer", u"Kalvenor"), u"12");
}

TEST(PerfilEnMemoria, ComillasQueEncierranElValorSeQuitan) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[S]\nA=\"5\"\nB='6'\nC=\"7\n");
    EXPECT_EQ(perfil.LeerINI(u"S", u"A", u"Kalvenor"), u"5");
    EXPECT_EQ(perfil.LeerINI(u"S", u"B", u"Kalvenor"), u"6");
    EXPECT_EQ(perfil.LeerINI(u"S", u"C", u"Kalvenor"), u"\"7");
}

TEST(PerfilEnMemoria, LaPrimeraSeccionYLaPrimeraClaveCuentan) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[S]\nA=1\nA=2\n[S]\nA=3\nB=4\n");
    EXPECT_EQ(perfil.LeerINI(u"S", u"A", u"Kalvenor"), u"1");
    EXPECT_EQ(perfil.LeerINI(u"S", u"B", u"Kalvenor"), u"");
}

TEST(PerfilEnMemoria, LecturaCortadaA254) {
    PerfilEnMemoria perfil;
    const std::u16string largo(300, u'x');
    EXPECT_TRUE(perfil.EscribirINI(kSeccion, u"Barrido", largo, u"Kalvenor"));
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Barrido", u"Kalvenor"), largo.substr(0, 254));
}

TEST(PerfilEnMemoria, EscriturasQueFallanNoCambianNada) {
    PerfilEnMemoria perfil;
    perfil.FallarEscrituras(true);
    EXPECT_FALSE(perfil.EscribirINI(kSeccion, u"Barrido", u"600", u"Kalvenor"));
    EXPECT_FALSE(perfil.Existe(u"Kalvenor"));
    perfil.FallarEscrituras(false);
    EXPECT_TRUE(perfil.EscribirINI(kSeccion, u"Barrido", u"600", u"Kalvenor"));
    perfil.FallarEscrituras(true);
    EXPECT_FALSE(perfil.EscribirINI(kSeccion, u"Barrido", u"700", u"Kalvenor"));
    EXPECT_EQ(perfil.LeerINI(kSeccion, u"Barrido", u"Kalvenor"), u"600");
}

TEST(PerfilEnMemoria, BorrarQuitaElArchivo) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[S]\nA=1\n");
    perfil.Borrar(u"KALVENOR");
    EXPECT_FALSE(perfil.Existe(u"Kalvenor"));
}

}  // namespace
}  // namespace kalvenor
