// ArchivoINI against the real profile functions of kernel32 (under Wine), with
// APPDATA pointed at a fresh temporary folder for every test.

#include "settings/ArchivoINI.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Sistema.h"
#include "forms/core/Text.h"
#include "forms/win32/SystemAnsiCode.h"
#include "settings/AvisoNoGuardado.h"
#include "settings/PreferenciasDelArchivo.h"

namespace kalvenor {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kArchivo = u"Kalvenor";

using pruebas::EscribirBytes;
using pruebas::LeerBytes;
using pruebas::LineasDe;

// The documented flush: the profile functions drop what they keep of the file
// in memory, so a file deleted or rewritten behind them is not served from there.
void OlvidarPerfil(const fs::path& ruta) { WritePrivateProfileStringW(nullptr, nullptr, nullptr, ruta.c_str()); }

std::string Ansi(std::wstring_view texto) { return forms::SystemAnsiText(texto); }

// The section header as the ANSI profile functions write it.
std::string SeccionAnsi() {
    std::string cabecera = "[";
    return cabecera.append(Ansi(L"Configuraci\u00F3nGeneral")).append("]");
}

fs::path DirectorioWindows() {
    wchar_t ruta[MAX_PATH] = {};
    GetWindowsDirectoryW(ruta, MAX_PATH);
    return ruta;
}

class ArchivoINITest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::create_directories(raiz_ / L"AppData"));
        UsarAppData(raiz_ / L"AppData");

        // The file a bare name finds: kept aside if a test run left one.
        archivoWindows_ = DirectorioWindows() / L"Kalvenor";
        OlvidarPerfil(archivoWindows_);
        copiaArchivoWindows_ = LeerBytes(archivoWindows_);
        if (copiaArchivoWindows_) fs::remove(archivoWindows_);
        OlvidarPerfil(archivoWindows_);
    }

    void TearDown() override {
        OlvidarPerfil(archivoWindows_);
        std::error_code error;
        fs::remove(archivoWindows_, error);
        if (copiaArchivoWindows_) {
            EXPECT_TRUE(EscribirBytes(archivoWindows_, *copiaArchivoWindows_));
        }
        OlvidarPerfil(archivoWindows_);
        OlvidarPerfil(RutaArchivoPreferencias());
    }

    void UsarAppData(const fs::path& carpeta) {
        appData_ = carpeta;
        ASSERT_TRUE(variableAppData_.Poner(carpeta.wstring()));
    }

    fs::path RutaEsperada() const { return appData_ / L"Kalvenor" / L"Kalvenor"; }

    void EscribirLasCuatro(const wchar_t* barrido, const wchar_t* layer, const wchar_t* showPopUp,
                           const wchar_t* movible) {
        const std::pair<std::u16string_view, const wchar_t*> claves[] = {{kPreferenciaBarrido.nombre, barrido},
                                                                         {kPreferenciaLayer.nombre, layer},
                                                                         {kPreferenciaShowPopUp.nombre, showPopUp},
                                                                         {kPreferenciaMovible.nombre, movible}};
        for (const auto& [clave, valor] : claves) {
            const std::wstring_view v(valor);
            ASSERT_TRUE(archivo.EscribirINI(kSeccionPreferencias, clave, std::u16string(v.begin(), v.end()), kArchivo));
        }
    }

    std::u16string Leer(std::u16string_view clave) { return archivo.LeerINI(kSeccionPreferencias, clave, kArchivo); }

    void EsperarPreferencias(std::int16_t barrido, int layer, std::int16_t showPopUp, std::int16_t movible) {
        EXPECT_EQ(Preferencias.PasoDelBarrido, barrido);
        EXPECT_EQ(Preferencias.Opacidad, layer);
        EXPECT_EQ(Preferencias.SiempreEncima, showPopUp);
        EXPECT_EQ(Preferencias.Movible, movible);
    }

    ArchivoINI archivo;
    const pruebas::CarpetaTemporal carpeta_;
    const fs::path raiz_{carpeta_.Ruta()};
    const pruebas::VariableDeEntorno variableAppData_{L"APPDATA", L""};
    fs::path appData_;
    fs::path archivoWindows_;
    std::optional<std::string> copiaArchivoWindows_;
};

TEST_F(ArchivoINITest, LaRutaEstaBajoAppData) {
    EXPECT_EQ(fs::path(RutaArchivoPreferencias()), RutaEsperada());
    UsarAppData(raiz_ / L"AppData\\");
    EXPECT_EQ(RutaArchivoPreferencias(), (raiz_ / L"AppData\\Kalvenor\\Kalvenor").wstring());
}

TEST_F(ArchivoINITest, SinAppDataSeUsaLaCarpetaDelShell) {
    wchar_t carpeta[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, carpeta)));
    const std::wstring esperada = std::wstring(carpeta) + L"\\Kalvenor\\Kalvenor";
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", L""));
    EXPECT_EQ(RutaArchivoPreferencias(), esperada);
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", nullptr));
    EXPECT_EQ(RutaArchivoPreferencias(), esperada);
}

TEST_F(ArchivoINITest, LeerNoCreaNadaYLaPrimeraEscrituraCreaLaCarpeta) {
    Preferencias = {-7, 7, -7, 7};
    EXPECT_TRUE(CargarPreferencias().empty());
    EsperarPreferencias(200, 255, 1, 0);
    EXPECT_FALSE(fs::exists(appData_ / L"Kalvenor"));
    ASSERT_TRUE(archivo.EscribirINI(kSeccionPreferencias, kPreferenciaLayer.nombre, u"10", kArchivo));
    EXPECT_TRUE(fs::is_regular_file(RutaEsperada()));
    EXPECT_FALSE(fs::exists(archivoWindows_));
    EXPECT_EQ(Leer(kPreferenciaLayer.nombre), u"10");
}

TEST_F(ArchivoINITest, SinArchivoPropioSeLeeElDelDirectorioDeWindows) {
    // An earlier installation's file, where the bare name puts it.
    const std::string seccion = Ansi(L"Configuraci\u00F3nGeneral");
    ASSERT_TRUE(WritePrivateProfileStringA(seccion.c_str(), "Barrido", "123", "Kalvenor"));
    ASSERT_TRUE(WritePrivateProfileStringA(seccion.c_str(), "Movible", "1", "Kalvenor"));
    ASSERT_TRUE(fs::is_regular_file(archivoWindows_));
    const auto original = LeerBytes(archivoWindows_);

    EXPECT_EQ(Leer(kPreferenciaBarrido.nombre), u"123");
    Preferencias = {};
    EXPECT_TRUE(CargarPreferencias().empty());
    EsperarPreferencias(123, 255, 1, 1);

    // The first write makes the per-user file, which from then on is the one
    // read; it starts from the earlier file, so the keys not written keep
    // their values.
    ASSERT_TRUE(archivo.EscribirINI(kSeccionPreferencias, kPreferenciaLayer.nombre, u"7", kArchivo));
    EXPECT_TRUE(fs::is_regular_file(RutaEsperada()));
    EXPECT_EQ(Leer(kPreferenciaLayer.nombre), u"7");
    EXPECT_EQ(Leer(kPreferenciaBarrido.nombre), u"123");
    EXPECT_EQ(LeerBytes(archivoWindows_), original);
}

// The real file, except that the n-th write or delete fails without touching it.
class ArchivoConUnaEscrituraFallida final : public PerfilINI {
public:
    explicit ArchivoConUnaEscrituraFallida(int fallida) : fallida_(fallida) {}
    std::u16string LeerINI(std::u16string_view seccion, std::u16string_view clave,
                           std::u16string_view archivo) override {
        return real_.LeerINI(seccion, clave, archivo);
    }
    bool EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                     std::u16string_view archivo) override {
        return ++escrituras_ != fallida_ && real_.EscribirINI(seccion, clave, valor, archivo);
    }
    bool BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) override {
        return ++escrituras_ != fallida_ && real_.BorrarINI(seccion, clave, archivo);
    }

private:
    ArchivoINI real_;
    int fallida_;
    int escrituras_ = 0;
};

// The third write of a save fails: the keys written before it get their
// earlier values back, in the file they were read from or in the per-user
// copy of the Windows-folder file, which then holds the same bytes.
TEST_F(ArchivoINITest, GuardadoFallidoDejaLosValoresQueSeLeian) {
    for (const bool soloEnWindows : {false, true}) {
        SCOPED_TRACE(soloEnWindows ? "solo el archivo de la carpeta de Windows" : "el archivo del usuario");
        const fs::path leido = soloEnWindows ? archivoWindows_ : RutaEsperada();
        fs::create_directories(leido.parent_path());
        ASSERT_TRUE(EscribirBytes(leido, SeccionAnsi() + "\r\nMovible=1\r\nBarrido=123\r\n"));
        OlvidarPerfil(leido);
        const auto original = LeerBytes(leido);

        ArchivoConUnaEscrituraFallida fallida(3);
        EXPECT_EQ(GuardarPreferencias(fallida, {600, 0, 0, 0}), ResultadoGuardado::SinCambios);
        EXPECT_EQ(LeerBytes(RutaEsperada()), original);
        EXPECT_EQ(LeerBytes(leido), original);
        Preferencias = {};
        EXPECT_TRUE(CargarPreferencias().empty());
        EsperarPreferencias(123, 255, 1, 1);

        OlvidarPerfil(RutaEsperada());
        fs::remove(RutaEsperada());
    }
}

TEST_F(ArchivoINITest, ElAvisoNombraElArchivoDelQueSeLee) {
    const std::u16string escrito = forms::TextFromWide(RutaEsperada().wstring());
    const auto EsperarAviso = [&](std::u16string_view leido) {
        EXPECT_EQ(AvisoNoSeGuardo(ResultadoGuardado::SinCambios),
                  AvisoNoSeGuardo(ResultadoGuardado::SinCambios, escrito, leido));
    };
    EsperarAviso(u"");
    ASSERT_TRUE(EscribirBytes(archivoWindows_, SeccionAnsi() + "\r\nBarrido=123\r\n"));
    EsperarAviso(forms::TextFromWide(archivoWindows_.wstring()));
    ASSERT_TRUE(archivo.EscribirINI(kSeccionPreferencias, kPreferenciaLayer.nombre, u"7", kArchivo));
    EsperarAviso(escrito);
}

TEST_F(ArchivoINITest, EscrituraFallidaDevuelveFalseYNoEscribeNada) {
    // APPDATA under a plain file: the folder Kalvenor cannot be made.
    const fs::path archivoPlano = raiz_ / L"plano";
    ASSERT_TRUE(EscribirBytes(archivoPlano, "x"));
    for (const fs::path& appData : {archivoPlano, archivoPlano / L"debajo"}) {
        SCOPED_TRACE(appData.string());
        UsarAppData(appData);
        EXPECT_FALSE(archivo.EscribirINI(kSeccionPreferencias, kPreferenciaBarrido.nombre, u"600", kArchivo));
        EXPECT_FALSE(fs::exists(RutaEsperada()));
        EXPECT_EQ(Leer(kPreferenciaBarrido.nombre), u"");
    }
    EXPECT_EQ(LeerBytes(archivoPlano), std::optional<std::string>("x"));
    EXPECT_FALSE(fs::exists(archivoWindows_));
}

TEST_F(ArchivoINITest, RutaQueElCodigoAnsiNoPuedeRepresentar) {
    // A Greek capital omega and a CJK character: in no Western code page.
    const std::wstring nombre = L"usuario-\u03A9-\u4E2D";
    if (Ansi(nombre).find('?') == std::string::npos) GTEST_SKIP() << "the ANSI code page holds the name";
    const fs::path carpeta = raiz_ / nombre;
    ASSERT_TRUE(fs::create_directories(carpeta));
    UsarAppData(carpeta);

    EscribirLasCuatro(L"450", L"77", L"0", L"-1");
    const auto bytes = LeerBytes(RutaEsperada());
    ASSERT_TRUE(bytes);
    const std::vector<std::string> esperadas = {SeccionAnsi(), "Barrido=450", "Layer=77", "ShowPopUp=0", "Movible=-1"};
    EXPECT_EQ(LineasDe(*bytes), esperadas);

    EXPECT_EQ(Leer(kPreferenciaBarrido.nombre), u"450");
    Preferencias = {};
    EXPECT_TRUE(CargarPreferencias().empty());
    EsperarPreferencias(450, 77, 0, -1);

    const std::u16string largo(300, u'5');
    ASSERT_TRUE(archivo.EscribirINI(kSeccionPreferencias, kPreferenciaLayer.nombre, largo, kArchivo));
    EXPECT_EQ(Leer(kPreferenciaLayer.nombre), largo.substr(0, 254));
    EXPECT_FALSE(fs::exists(archivoWindows_));
}

}  // namespace
}  // namespace kalvenor
