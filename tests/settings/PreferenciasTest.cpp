// CargarPreferencias and GuardarPreferencias against profiles held in memory.

#include "settings/Preferencias.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/core/AppTitle.h"
#include "forms/core/RuntimeError.h"
#include "PerfilEnMemoria.h"

namespace kalvenor {

// For gtest's messages (found by argument-dependent lookup).
void PrintTo(const ClaveRechazada& r, std::ostream* os) {
    *os << "{" << std::string(r.clave->nombre.begin(), r.clave->nombre.end()) << ", valor de " << r.valor.size()
        << " caracteres, error " << r.error << "}";
}

namespace {

using forms::kErrorOverflow;
using forms::kErrorTypeMismatch;

const std::u16string kArchivo(forms::AppTitle());

class CargarPreferenciasTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Values no load gives, so that every field is seen to be written.
        Preferencias = {-7, 7, -7, 7};
    }

    void Archivo(std::u16string_view texto) { perfil.PonerTexto(kArchivo, texto); }

    void EsperarPreferencias(std::int16_t barrido, int layer, std::int16_t showPopUp, std::int16_t movible) {
        EXPECT_EQ(Preferencias.PasoDelBarrido, barrido);
        EXPECT_EQ(Preferencias.Opacidad, layer);
        EXPECT_EQ(Preferencias.SiempreEncima, showPopUp);
        EXPECT_EQ(Preferencias.Movible, movible);
    }

    PerfilEnMemoria perfil;
};

// A file the program can use whole: each key's value, or its default where
// the key is missing or empty, also values the options window never writes.
TEST_F(CargarPreferenciasTest, CadaClaveDaSuValorOSuPredeterminado) {
    struct Caso {
        const char* nombre;
        std::u16string texto;
        PreferenciasUsuario esperadas;
    };
    const Caso casos[] = {
        {"valores", u"[ConfiguraciónGeneral]\nBarrido=600\nLayer=0\nShowPopUp=1\nMovible=0\n", {600, 0, 1, 0}},
        {"Layer vacío", u"[ConfiguraciónGeneral]\nBarrido=300\nLayer=\nShowPopUp=0\nMovible=1\n", {300, 255, 0, 1}},
        {"clave solo en otra sección",
         u"[Otra]\nLayer=10\n[ConfiguraciónGeneral]\nBarrido=100\nShowPopUp=0\nMovible=1\n[Más]\nLayer=20\n",
         {100, 255, 0, 1}},
        {"sección sin tilde",
         u"[ConfiguracionGeneral]\nBarrido=600\nLayer=0\nShowPopUp=0\nMovible=1\n",
         {200, 255, 1, 0}},
        {"en rango", u"[ConfiguraciónGeneral]\nBarrido=5\nLayer=1\nShowPopUp=-1\nMovible=-1\n", {5, 1, -1, -1}},
        {"extremos",
         u"[ConfiguraciónGeneral]\nBarrido=-32768\nLayer=255\nShowPopUp=32767\nMovible=0\n",
         {-32768, 255, 32767, 0}},
        // 254 characters that make the number 7, then 46 that would make it no number.
        {"254 caracteres",
         u"[ConfiguraciónGeneral]\nShowPopUp=" + std::u16string(253, u'0') + u"7" + std::u16string(46, u'x') + u"\n",
         {200, 255, 7, 0}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Archivo(caso.texto);
        Preferencias = {-7, 7, -7, 7};
        EXPECT_TRUE(CargarPreferencias(perfil).empty());
        const PreferenciasUsuario& e = caso.esperadas;
        EsperarPreferencias(e.PasoDelBarrido, e.Opacidad, e.SiempreEncima, e.Movible);
    }
}

// An edited file: a value that cannot be converted gives that key's
// default, the other keys are read as usual, and nothing is written.
struct CasoRechazado {
    const char* nombre;
    const ClavePreferencia* clave;
    std::u16string_view valor;
    int error;
};

void PrintTo(const CasoRechazado& caso, std::ostream* os) { *os << caso.nombre; }

class ValorRechazadoTest : public CargarPreferenciasTest, public ::testing::WithParamInterface<CasoRechazado> {};

TEST_P(ValorRechazadoTest, TomaElPredeterminadoYLeeLasDemas) {
    const CasoRechazado& caso = GetParam();
    // Non-default values for every key, then the bad one in its place.
    std::u16string texto = u"[ConfiguraciónGeneral]\n";
    const std::pair<const ClavePreferencia*, std::u16string_view> buenos[] = {{&kPreferenciaBarrido, u"600"},
                                                                              {&kPreferenciaLayer, u"100"},
                                                                              {&kPreferenciaShowPopUp, u"0"},
                                                                              {&kPreferenciaMovible, u"-1"}};
    for (const auto& [clave, valor] : buenos) {
        texto += clave->nombre;
        texto += u"=";
        texto += clave == caso.clave ? caso.valor : valor;
        texto += u"\n";
    }
    Archivo(texto);
    const std::u16string antes = *perfil.Texto(kArchivo);

    std::vector<ClaveRechazada> rechazadas;
    ASSERT_NO_THROW(rechazadas = CargarPreferencias(perfil));

    const std::vector<ClaveRechazada> esperadas = {{caso.clave, std::u16string(caso.valor), caso.error}};
    EXPECT_EQ(rechazadas, esperadas);
    EXPECT_EQ(Preferencias.PasoDelBarrido, caso.clave == &kPreferenciaBarrido ? 200 : 600);
    EXPECT_EQ(Preferencias.Opacidad, caso.clave == &kPreferenciaLayer ? 255 : 100);
    EXPECT_EQ(Preferencias.SiempreEncima, caso.clave == &kPreferenciaShowPopUp ? 1 : 0);
    EXPECT_EQ(Preferencias.Movible, caso.clave == &kPreferenciaMovible ? 0 : -1);
    EXPECT_EQ(perfil.Texto(kArchivo), antes);
}

INSTANTIATE_TEST_SUITE_P(
    ValorQueNoSeConvierte, ValorRechazadoTest,
    ::testing::Values(CasoRechazado{"Layer256", &kPreferenciaLayer, u"256", kErrorOverflow},
                      CasoRechazado{"LayerMenosUno", &kPreferenciaLayer, u"-1", kErrorOverflow},
                      CasoRechazado{"LayerAbc", &kPreferenciaLayer, u"abc", kErrorTypeMismatch},
                      CasoRechazado{"BarridoAbc", &kPreferenciaBarrido, u"abc", kErrorTypeMismatch},
                      CasoRechazado{"Barrido40000", &kPreferenciaBarrido, u"40000", kErrorOverflow},
                      CasoRechazado{"BarridoFraccion", &kPreferenciaBarrido, u"1.5", kErrorTypeMismatch},
                      CasoRechazado{"ShowPopUpMas", &kPreferenciaShowPopUp, u"+1", kErrorTypeMismatch},
                      CasoRechazado{"ShowPopUp32768", &kPreferenciaShowPopUp, u"32768", kErrorOverflow},
                      CasoRechazado{"MovibleLetras", &kPreferenciaMovible, u"si", kErrorTypeMismatch},
                      CasoRechazado{"Movible40000", &kPreferenciaMovible, u"-40000", kErrorOverflow}),
    [](const ::testing::TestParamInfo<CasoRechazado>& info) { return std::string(info.param.nombre); });

TEST_F(CargarPreferenciasTest, VariasClavesRechazadas) {
    Archivo(u"[ConfiguraciónGeneral]\nBarrido=abc\nLayer=300\nShowPopUp=0\nMovible=x\n");
    const std::vector<ClaveRechazada> esperadas = {{&kPreferenciaBarrido, u"abc", kErrorTypeMismatch},
                                                   {&kPreferenciaLayer, u"300", kErrorOverflow},
                                                   {&kPreferenciaMovible, u"x", kErrorTypeMismatch}};
    EXPECT_EQ(CargarPreferencias(perfil), esperadas);
    EsperarPreferencias(200, 255, 0, 0);
}

TEST_F(CargarPreferenciasTest, ValorDeTrescientasCifrasSeCortaA254YDesborda) {
    const std::u16string largo(300, u'9');
    Archivo(u"[ConfiguraciónGeneral]\nBarrido=" + largo + u"\nLayer=10\n");
    const std::vector<ClaveRechazada> esperadas = {{&kPreferenciaBarrido, largo.substr(0, 254), kErrorOverflow}};
    EXPECT_EQ(CargarPreferencias(perfil), esperadas);
    EsperarPreferencias(200, 10, 1, 0);
}

// What the options window stores is what the main window loads next, at the
// ends of the sliders' ranges too; the save itself leaves Preferencias alone.
TEST_F(CargarPreferenciasTest, LoGuardadoEsLoQueSeCarga) {
    const PreferenciasUsuario casos[] = {{200, 255, 1, 0}, {50, 0, 0, 0}, {600, 255, 1, 1}, {350, 128, 0, 1}};
    for (const PreferenciasUsuario& v : casos) {
        SCOPED_TRACE(testing::Message() << v.PasoDelBarrido << ", " << +v.Opacidad << ", " << v.SiempreEncima << ", "
                                        << v.Movible);
        PerfilEnMemoria nuevo;
        Preferencias = {-7, 7, -7, 7};
        EXPECT_EQ(GuardarPreferencias(nuevo, v), ResultadoGuardado::Guardado);
        EsperarPreferencias(-7, 7, -7, 7);
        EXPECT_TRUE(CargarPreferencias(nuevo).empty());
        EsperarPreferencias(v.PasoDelBarrido, v.Opacidad, v.SiempreEncima, v.Movible);
    }
}

TEST_F(CargarPreferenciasTest, GuardarSobreUnArchivoCambiaSoloLasCuatroClaves) {
    Archivo(u"[Otra]\nBarrido=1\n\n[ConfiguraciónGeneral]\nMovible=1\nbarrido = \"600\"\nNota=hola\n");
    EXPECT_EQ(GuardarPreferencias(perfil, {50, 0, 0, 0}), ResultadoGuardado::Guardado);
    EXPECT_EQ(perfil.Texto(kArchivo),
              u"[Otra]\r\nBarrido=1\r\n\r\n[ConfiguraciónGeneral]\r\nMovible=0\r\nbarrido=50\r\n"
              u"Nota=hola\r\nLayer=0\r\nShowPopUp=0\r\n");
}

// A save whose writes fail from the n-th on (`cuantas` of them, the rest
// succeeding): it says so, and unless putting the earlier values back failed
// too, the main window loads what it loaded before and the file that held the
// section keeps its text exactly.
struct CasoGuardadoFallido {
    const char* nombre;
    std::u16string_view texto;  // the file before the save; empty: no file
    std::size_t desde, cuantas;
    ResultadoGuardado resultado;
};

void PrintTo(const CasoGuardadoFallido& caso, std::ostream* os) { *os << caso.nombre; }

class GuardadoFallidoTest : public CargarPreferenciasTest, public ::testing::WithParamInterface<CasoGuardadoFallido> {};

TEST_P(GuardadoFallidoTest, SeAvisaYNoSePierdeNada) {
    const CasoGuardadoFallido& caso = GetParam();
    if (!caso.texto.empty()) Archivo(caso.texto);
    const std::optional<std::u16string> antes = perfil.Texto(kArchivo);
    ASSERT_TRUE(CargarPreferencias(perfil).empty());
    const PreferenciasUsuario cargadas = Preferencias;

    perfil.FallarEscrituras(caso.desde, caso.cuantas);
    EXPECT_EQ(GuardarPreferencias(perfil, {600, 0, 0, 1}), caso.resultado);
    if (caso.resultado == ResultadoGuardado::AMedias) return;
    if (antes) {
        EXPECT_EQ(perfil.Texto(kArchivo), antes);
    }
    Preferencias = {};
    EXPECT_TRUE(CargarPreferencias(perfil).empty());
    EsperarPreferencias(cargadas.PasoDelBarrido, cargadas.Opacidad, cargadas.SiempreEncima, cargadas.Movible);
}

constexpr std::u16string_view kCompleto = u"[ConfiguraciónGeneral]\nBarrido=300\nLayer=128\nShowPopUp=1\nMovible=0\n";
constexpr std::size_t kTodas = PerfilEnMemoria::kTodas;

INSTANTIATE_TEST_SUITE_P(
    EscrituraQueFalla, GuardadoFallidoTest,
    ::testing::Values(CasoGuardadoFallido{"LaPrimera", kCompleto, 1, kTodas, ResultadoGuardado::SinCambios},
                      CasoGuardadoFallido{"LaSegunda", kCompleto, 2, 1, ResultadoGuardado::SinCambios},
                      CasoGuardadoFallido{"LaUltima", kCompleto, 4, 1, ResultadoGuardado::SinCambios},
                      CasoGuardadoFallido{"LaTerceraConClavesQueFaltaban",
                                          u"[Otra]\nLayer=9\n\n[ConfiguraciónGeneral]\nBarrido=300\n\n[Más]\nA=1\n", 3,
                                          1, ResultadoGuardado::SinCambios},
                      CasoGuardadoFallido{"LaCuartaSinArchivo", u"", 4, 1, ResultadoGuardado::SinCambios},
                      CasoGuardadoFallido{"DesdeLaTerceraTambienAlDeshacer", kCompleto, 3, kTodas,
                                          ResultadoGuardado::AMedias}),
    [](const ::testing::TestParamInfo<CasoGuardadoFallido>& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace kalvenor
