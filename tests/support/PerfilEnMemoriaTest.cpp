// The in-memory profile behaves as the platform's profile functions do, so
// that tests built on it mean what they say.

#include "PerfilEnMemoria.h"

#include <gtest/gtest.h>

#include <vector>

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
    EXPECT_EQ(
        perfil.Texto(u"Kalvenor"),
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

TEST(PerfilEnMemoria, BorrarQuitaLaClaveYDejaLaSeccion) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[ConfiguraciónGeneral]\nBarrido=1\nLayer=2\n[Otra]\nBarrido=3\n");
    EXPECT_TRUE(perfil.BorrarINI(kSeccion, u"BARRIDO", u"Kalvenor"));
    EXPECT_TRUE(perfil.BorrarINI(kSeccion, u"Layer", u"Kalvenor"));
    EXPECT_TRUE(perfil.BorrarINI(kSeccion, u"Movible", u"Kalvenor"));
    EXPECT_EQ(perfil.Texto(u"Kalvenor"), u"[ConfiguraciónGeneral]\r\n[Otra]\r\nBarrido=3\r\n");
    EXPECT_TRUE(perfil.BorrarINI(kSeccion, u"Barrido", u"Otro"));
    EXPECT_FALSE(perfil.Existe(u"Otro"));
}

// Five writes in a row (the third a delete) after FallarEscrituras(desde, cuantas).
TEST(PerfilEnMemoria, FallanLasEscriturasPedidasYNoCambianNada) {
    struct Caso {
        std::size_t desde, cuantas;
        std::vector<bool> resultados;
        std::u16string_view barrido;  // the value left in the file
    };
    const Caso casos[] = {
        {1, PerfilEnMemoria::kTodas, {false, false, false, false, false}, u"0"},
        {3, PerfilEnMemoria::kTodas, {true, true, false, false, false}, u"2"},
        {2, 1, {true, false, true, true, true}, u"5"},
        {4, 2, {true, true, true, false, false}, u""},
        {1, 0, {true, true, true, true, true}, u"5"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::Message() << "desde " << caso.desde << ", " << caso.cuantas);
        PerfilEnMemoria perfil;
        perfil.PonerTexto(u"Kalvenor", u"[ConfiguraciónGeneral]\nBarrido=0\n");
        perfil.FallarEscrituras(caso.desde, caso.cuantas);
        const std::vector<bool> resultados = {
            perfil.EscribirINI(kSeccion, u"Barrido", u"1", u"Kalvenor"),
            perfil.EscribirINI(kSeccion, u"Barrido", u"2", u"Kalvenor"),
            perfil.BorrarINI(kSeccion, u"Barrido", u"Kalvenor"),
            perfil.EscribirINI(kSeccion, u"Barrido", u"4", u"Kalvenor"),
            perfil.EscribirINI(kSeccion, u"Barrido", u"5", u"Kalvenor"),
        };
        EXPECT_EQ(resultados, caso.resultados);
        EXPECT_EQ(perfil.LeerINI(kSeccion, u"Barrido", u"Kalvenor"), caso.barrido);
    }
}

TEST(PerfilEnMemoria, BorrarQuitaElArchivo) {
    PerfilEnMemoria perfil;
    perfil.PonerTexto(u"Kalvenor", u"[S]\nA=1\n");
    perfil.Borrar(u"KALVENOR");
    EXPECT_FALSE(perfil.Existe(u"Kalvenor"));
}

}  // namespace
}  // namespace kalvenor
