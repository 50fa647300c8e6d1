#include "windows/VentanaOpciones.h"

#include <windows.h>

#include <string>

#include "forms/core/AppTitle.h"
#include "forms/core/Text.h"
#include "resources/Recursos.h"
#include "settings/PreferenciasDelArchivo.h"
#include "sweep/Barrido.h"
#include "windows/Colocacion.h"
#include "windows/VentanaPrincipal.h"

namespace kalvenor {

namespace {

using forms::Bounds;

const forms::FormDesign kDiseno{
    .caption = kTituloOpciones,
    .borderStyle = forms::BorderStyle::FixedSingle,
    .clientWidth = 4365,
    .clientHeight = 3795,
    .backColor = std::nullopt,
    .icon = IDI_KALVENOR,
};

// The opacity slider offers no value that the main window would not apply as it is.
static_assert(kPreferenciaLayer.opciones.minimo == OpacidadMinima);

const forms::FontDesign kFuenteCasillas{.face = L"MS Sans Serif", .points = 9.75, .bold = false};

}  // namespace

VentanaOpciones Form2;

// The design, control by control, as a table.
// clang-format off
VentanaOpciones::VentanaOpciones()
    : Form(kDiseno),
      fraPaso(*this, {.caption = L"Velocidad del barrido", .bounds = Bounds{135, 135, 4020, 825}, .tabIndex = 0}),
      sliPaso(fraPaso, {.bounds = Bounds{135, 270, 3840, 375},
                        .tabIndex = 1,
                        .min = kPreferenciaBarrido.opciones.minimo,
                        .max = kPreferenciaBarrido.opciones.maximo,
                        .smallChange = 10,
                        .largeChange = 50,
                        .tickFrequency = 50}),
      fraOpacidad(*this, {.caption = L"Opacidad", .bounds = Bounds{135, 1125, 4020, 735}, .tabIndex = 2}),
      sliOpacidad(fraOpacidad, {.bounds = Bounds{135, 225, 3840, 375},
                                .tabIndex = 3,
                                .min = kPreferenciaLayer.opciones.minimo,
                                .max = kPreferenciaLayer.opciones.maximo,
                                .smallChange = 5,
                                .largeChange = 25,
                                .tickFrequency = 25}),
      cheSiempreEncima(*this, {.caption = L"Mantener encima de otras aplicaciones",
                               .bounds = Bounds{135, 2025, 4020, 330},
                               .tabIndex = 4,
                               .font = &kFuenteCasillas}),
      cheMovible(*this, {.caption = L"Permitir mover la ventana",
                         .bounds = Bounds{135, 2520, 4020, 330},
                         .tabIndex = 5,
                         .font = &kFuenteCasillas}),
      cmdAceptar(*this, {.caption = L"Aceptar", .bounds = Bounds{450, 3015, 1455, 420}, .tabIndex = 6}),
      cmdCancelar(*this, {.caption = L"Cancelar", .bounds = Bounds{2340, 3015, 1455, 420}, .tabIndex = 7}) {
    // clang-format on
    cmdAceptar.Click = [this] { cmdAceptar_Click(); };
    cmdCancelar.Click = [this] { cmdCancelar_Click(); };
}

void VentanaOpciones::Form_Load() {
    sliPaso.SetValue(Preferencias.PasoDelBarrido);
    sliOpacidad.SetValue(Preferencias.Opacidad);
    cheSiempreEncima.SetValue(Preferencias.SiempreEncima);
    cheMovible.SetValue(Preferencias.Movible);
    ColocarJuntoAVentanaPrincipal(*this);
}

void VentanaOpciones::cmdAceptar_Click() {
    // The sliders offer no value their fields cannot hold.
    const PreferenciasUsuario elegidas{.PasoDelBarrido = static_cast<std::int16_t>(sliPaso.Value()),
                                       .Opacidad = static_cast<std::uint8_t>(sliOpacidad.Value()),
                                       .SiempreEncima = cheSiempreEncima.Value(),
                                       .Movible = cheMovible.Value()};
    const ResultadoGuardado resultado = GuardarPreferencias(elegidas);
    if (resultado != ResultadoGuardado::Guardado) AvisarQueNoSeGuardo(resultado);
    Unload();
}

void VentanaOpciones::cmdCancelar_Click() { Unload(); }

void VentanaOpciones::Form_Unload(std::int16_t& /*Cancel*/) { Form1.Show(); }

void VentanaOpciones::AvisarQueNoSeGuardo(ResultadoGuardado resultado) {
    const std::wstring mensaje = forms::WideFromText(AvisoNoSeGuardo(resultado));
    const std::wstring titulo = forms::WideFromText(forms::AppTitle());
    ::MessageBoxW(hWnd(), mensaje.c_str(), titulo.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace kalvenor
