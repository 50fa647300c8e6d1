// What the settings ask of a profile file, checked on each kind the program
// or its tests use: the in-memory profile of the portable tests and, under
// Windows, ArchivoINI on the platform's profile functions, so that the tests
// built on the in-memory one hold for the real file.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <type_traits>

#include "PerfilEnMemoria.h"
#include "settings/Preferencias.h"

#ifdef _WIN32
#include <windows.h>

#include "Sistema.h"
#include "forms/core/Text.h"
#include "forms/win32/SystemAnsiCode.h"
#include "settings/ArchivoINI.h"
#endif

namespace kalvenor {
namespace {

constexpr std::u16string_view kArchivo = u"Kalvenor";

class EnMemoria {
public:
    PerfilINI& Perfil() { return perfil_; }
    void PonerTexto(std::u16string_view texto) { perfil_.PonerTexto(kArchivo, texto); }
    std::optional<std::u16string> Texto() const { return perfil_.Texto(kArchivo); }

private:
    PerfilEnMemoria perfil_;
};

#ifdef _WIN32
// ArchivoINI with %APPDATA% in a fresh folder. The file's text goes through
// the ANSI code page both ways; its lines are given back ended by "\r\n".
class EnDisco {
public:
    ~EnDisco() { Olvidar(); }
    PerfilINI& Perfil() { return archivo_; }
    void PonerTexto(std::u16string_view texto) {
        ::CreateDirectoryW((appData_.Ruta() + L"\\Kalvenor").c_str(), nullptr);
        EXPECT_TRUE(pruebas::EscribirBytes(ruta_, forms::SystemAnsiText(texto)));
        Olvidar();
    }
    std::optional<std::u16string> Texto() const {
        const std::optional<std::string> bytes = pruebas::LeerBytes(ruta_);
        if (!bytes) return std::nullopt;
        std::u16string texto;
        for (char16_t c : forms::TextFromWide(forms::TextFromSystemAnsi(*bytes))) {
            if (c == u'\n') texto += u'\r';
            if (c != u'\r') texto += c;
        }
        return texto;
    }

private:
    // The profile functions drop what they keep of the file, which was
    // rewritten behind them.
    void Olvidar() { ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, ruta_.c_str()); }

    pruebas::CarpetaTemporal appData_;
    pruebas::VariableDeEntorno variable_{L"APPDATA", appData_.Ruta()};
    std::wstring ruta_ = appData_.Ruta() + L"\\Kalvenor\\Kalvenor";
    ArchivoINI archivo_;
};
#endif

template <class Implementacion>
class PerfilINITest : public ::testing::Test {
protected:
    std::u16string Leer(std::u16string_view seccion, std::u16string_view clave) {
        return archivo.Perfil().LeerINI(seccion, clave, kArchivo);
    }
    bool Escribir(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor) {
        return archivo.Perfil().EscribirINI(seccion, clave, valor, kArchivo);
    }
    bool Borrar(std::u16string_view seccion, std::u16string_view clave) {
        return archivo.Perfil().BorrarINI(seccion, clave, kArchivo);
    }

    Implementacion archivo;
};

struct NombreImplementacion {
    template <class T>
    static std::string GetName(int) {
        return std::is_same_v<T, EnMemoria> ? "EnMemoria" : "ArchivoINI";
    }
};

#ifdef _WIN32
using Implementaciones = ::testing::Types<EnMemoria, EnDisco>;
#else
using Implementaciones = ::testing::Types<EnMemoria>;
#endif
TYPED_TEST_SUITE(PerfilINITest, Implementaciones, NombreImplementacion);

constexpr std::u16string_view kSeccion = kSeccionPreferencias;

TYPED_TEST(PerfilINITest, SinArchivoSeLeeVacioYBorrarNoLoCrea) {
    EXPECT_EQ(this->Leer(kSeccion, u"Barrido"), u"");
    EXPECT_TRUE(this->Borrar(kSeccion, u"Barrido"));
    EXPECT_EQ(this->archivo.Texto(), std::nullopt);
}

TYPED_TEST(PerfilINITest, EscribirCreaElArchivoYReemplazaOAnadeEnSuSeccion) {
    EXPECT_TRUE(this->Escribir(kSeccion, u"Barrido", u"600"));
    EXPECT_EQ(this->archivo.Texto(), u"[ConfiguraciónGeneral]\r\nBarrido=600\r\n");

    this->archivo.PonerTexto(u"[ConfiguraciónGeneral]\nBarrido=1\n[Otra]\nLayer=9\n");
    EXPECT_TRUE(this->Escribir(kSeccion, u"barrido", u"2"));
    EXPECT_TRUE(this->Escribir(kSeccion, u"Layer", u"3"));
    EXPECT_TRUE(this->Escribir(u"Nueva", u"Movible", u""));
    EXPECT_EQ(this->archivo.Texto(),
              u"[ConfiguraciónGeneral]\r\nBarrido=2\r\nLayer=3\r\n[Otra]\r\nLayer=9\r\n[Nueva]\r\nMovible=\r\n");
    EXPECT_EQ(this->Leer(kSeccion, u"Layer"), u"3");
    EXPECT_EQ(this->Leer(u"Otra", u"Layer"), u"9");
}

TYPED_TEST(PerfilINITest, ComillasQueEncierranElValorSeQuitan) {
    this->archivo.PonerTexto(u"[S]\nA=\"5\"\nB='6'\nC=\"7\nD=\n");
    EXPECT_EQ(this->Leer(u"S", u"A"), u"5");
    EXPECT_EQ(this->Leer(u"S", u"B"), u"6");
    EXPECT_EQ(this->Leer(u"S", u"C"), u"\"7");
    EXPECT_EQ(this->Leer(u"S", u"D"), u"");
}

TYPED_TEST(PerfilINITest, NombresSinDistinguirMayusculasYSinLosBlancosDeAlrededor) {
    this->archivo.PonerTexto(
        u"  [ CONFIGURACIóNGENERAL ]\r\n  LAYER =  12  \r\n[ConfiguracionGeneral]\r\nBarrido=3\r\n");
    EXPECT_EQ(this->Leer(kSeccion, u"Layer"), u"12");
    EXPECT_EQ(this->Leer(kSeccion, u"Barrido"), u"") << "sin la tilde es otra sección";
}

TYPED_TEST(PerfilINITest, LaPrimeraSeccionYEnEllaLaPrimeraClaveCuentan) {
    this->archivo.PonerTexto(u"[S]\nA=1\nA=2\n[S]\nA=3\nB=4\n");
    EXPECT_EQ(this->Leer(u"S", u"A"), u"1");
    EXPECT_EQ(this->Leer(u"S", u"B"), u"");
}

TYPED_TEST(PerfilINITest, ElValorEnteroSeGuardaYSeLeenSus254PrimerosCaracteres) {
    const std::u16string largo = std::u16string(250, u'x') + u"yyyyzzzzzz";
    EXPECT_TRUE(this->Escribir(kSeccion, u"Barrido", largo));
    EXPECT_EQ(this->Leer(kSeccion, u"Barrido"), largo.substr(0, kLongitudMaximaValorINI));
    const std::optional<std::u16string> texto = this->archivo.Texto();
    ASSERT_TRUE(texto);
    EXPECT_NE(texto->find(largo), std::u16string::npos);
}

TYPED_TEST(PerfilINITest, BorrarQuitaLaClaveYDejaLaSeccion) {
    this->archivo.PonerTexto(u"[ConfiguraciónGeneral]\nBarrido=1\nLayer=2\n[Otra]\nBarrido=3\n");
    EXPECT_TRUE(this->Borrar(kSeccion, u"BARRIDO"));
    EXPECT_TRUE(this->Borrar(kSeccion, u"Layer"));
    EXPECT_TRUE(this->Borrar(kSeccion, u"Movible"));
    EXPECT_EQ(this->archivo.Texto(), u"[ConfiguraciónGeneral]\r\n[Otra]\r\nBarrido=3\r\n");
}

}  // namespace
}  // namespace kalvenor
