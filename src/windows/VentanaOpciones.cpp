#include "windows/VentanaOpciones.h"

#include <windows.h>

#include <string>

#include "forms/core/TituloAplicacion.h"
#include "forms/core/Texto.h"
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
      Frame1(*this, {.caption = L"Velocidad del barrido", .bounds = Bounds{135, 135, 4020, 825}, .tabIndex = 0}),
      sliBarrido(Frame1, {.bounds = Bounds{135, 270, 3840, 375},
                          .tabIndex = 1,
                          .min = kPreferenciaBarrido.opciones.minimo,
                          .max = kPreferenciaBarrido.opciones.maximo,
                          .smallChange = 10,
                          .largeChange = 50,
                          .tickFrequency = 50}),
      Frame2(*this, {.caption = L"Opacidad", .bounds = Bounds{135, 1125, 4020, 735}, .tabIndex = 2}),
      sliLayer(Frame2, {.bounds = Bounds{135, 225, 3840, 375},
                        .tabIndex = 3,
                        .min = kPreferenciaLayer.opciones.minimo,
                        .max = kPreferenciaLayer.opciones.maximo,
                        .smallChange = 5,
                        .largeChange = 25,
                        .tickFrequency = 25}),
      cheShowPopUp(*this, {.caption = L"Mantener encima de otras aplicaciones",
                           .bounds = Bounds{135, 2025, 4020, 330},
                           .tabIndex = 4,
                           .font = &kFuenteCasillas}),
      cheMovible(*this, {.caption = L"Permitir mover la ventana",
                         .bounds = Bounds{135, 2520, 4020, 330},
                         .tabIndex = 5,
                         .font = &kFuenteCasillas}),
      Command1(*this, {.caption = L"Aceptar", .bounds = Bounds{450, 3015, 1455, 420}, .tabIndex = 6}),
      Command2(*this, {.caption = L"Cancelar", .bounds = Bounds{2340, 3015, 1455, 420}, .tabIndex = 7}) {
    // clang-format on
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void VentanaOpciones::Form_Load() {
    sliBarrido.SetValue(Preferencias.Barrido);
    sliLayer.SetValue(Preferencias.Layer);
    cheShowPopUp.SetValue(Preferencias.ShowPopUp);
    cheMovible.SetValue(Preferencias.Movible);
    ColocarJuntoAVentanaPrincipal(*this);
}

// Aceptar
void VentanaOpciones::Command1_Click() {
    // The sliders offer no value their fields cannot hold.
    const PreferenciasUsuario elegidas{.Barrido = static_cast<std::int16_t>(sliBarrido.Value()),
                                       .Layer = static_cast<std::uint8_t>(sliLayer.Value()),
                                       .ShowPopUp = cheShowPopUp.Value(),
                                       .Movible = cheMovible.Value()};
    const ResultadoGuardado resultado = GuardarPreferencias(elegidas);
    if (resultado != ResultadoGuardado::Guardado) AvisarQueNoSeGuardo(resultado);
    Unload();
}

// Cancelar
void VentanaOpciones::Command2_Click() { Unload(); }

void VentanaOpciones::Form_Unload(std::int16_t& /*Cancel*/) { Form1.Show(); }

void VentanaOpciones::AvisarQueNoSeGuardo(ResultadoGuardado resultado) {
    const std::wstring mensaje = forms::AnchoDesdeTexto(AvisoNoSeGuardo(resultado));
    const std::wstring titulo = forms::AnchoDesdeTexto(forms::TituloAplicacion());
    ::MessageBoxW(hWnd(), mensaje.c_str(), titulo.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace kalvenor
