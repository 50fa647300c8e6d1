#include "windows/VentanaAcercaDe.h"

#include "resources/Recursos.h"
#include "windows/Colocacion.h"
#include "windows/VentanaPrincipal.h"

namespace kalvenor {

namespace {

using forms::Bounds;

const forms::FormDesign kDiseno{
    .caption = kTituloAcercaDe,
    .borderStyle = forms::BorderStyle::FixedToolWindow,
    .clientWidth = 4680,
    .clientHeight = 1395,
    .backColor = std::nullopt,
    .icon = 0,
};

}  // namespace

VentanaAcercaDe Form3;

// The design, control by control, as a table.
// clang-format off
VentanaAcercaDe::VentanaAcercaDe()
    : Form(kDiseno),
      picImagen(*this, {.bounds = Bounds{90, 135, 1230, 1140}, .tabIndex = 0, .picture = IDR_IMAGEN_ACERCA}),
      lblTitulo(*this, {.caption = L"Kalvenor v1.0 por el equipo Kalvenor",
                        .bounds = Bounds{1530, 135, 2895, 240},
                        .tabIndex = 1}),
      lblCorreo(*this, {.caption = L"Correo: kalvenor@example.org",
                        .bounds = Bounds{1530, 405, 2895, 240},
                        .tabIndex = 2}),
      lblLugar(*this, {.caption = L"Valparaíso, diciembre de 2026",
                       .bounds = Bounds{1530, 675, 2895, 240},
                       .tabIndex = 3}),
      lblDedicatoria(*this, {.caption = L"Para quienes se escriben en clave",
                             .bounds = Bounds{1530, 990, 2940, 240},
                             .tabIndex = 4}),
      tmrCierre(*this, {.interval = 4000, .enabled = true}) {
    // clang-format on
    tmrCierre.Tick = [this] { tmrCierre_Timer(); };
}

void VentanaAcercaDe::Form_Load() { ColocarJuntoAVentanaPrincipal(*this); }

// The timer goes with the window, so it ticks only once.
void VentanaAcercaDe::tmrCierre_Timer() { Unload(); }

void VentanaAcercaDe::Form_Unload(std::int16_t& /*Cancel*/) { Form1.Show(); }

}  // namespace kalvenor
