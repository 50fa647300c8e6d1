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
      Picture1(*this, {.bounds = Bounds{90, 135, 1230, 1140}, .tabIndex = 0, .picture = IDR_IMAGEN_ACERCA}),
      Label1(*this, {.caption = L"Kalvenor v1.0 por el equipo Kalvenor",
                     .bounds = Bounds{1530, 135, 2895, 240},
                     .tabIndex = 1}),
      Label2(*this, {.caption = L"Correo: kalvenor@example.org",
                     .bounds = Bounds{1530, 405, 2895, 240},
                     .tabIndex = 2}),
      Label3(*this, {.caption = L"Valparaíso, diciembre de 2026",
                     .bounds = Bounds{1530, 675, 2895, 240},
                     .tabIndex = 3}),
      Label4(*this, {.caption = L"Para quienes se escriben en clave",
                     .bounds = Bounds{1530, 990, 2940, 240},
                     .tabIndex = 4}),
      Timer1(*this, {.interval = 4000, .enabled = true}) {
    // clang-format on
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void VentanaAcercaDe::Form_Load() { ColocarJuntoAVentanaPrincipal(*this); }

// The timer goes with the window, so it ticks only once.
void VentanaAcercaDe::Timer1_Timer() { Unload(); }

void VentanaAcercaDe::Form_Unload(std::int16_t& /*Cancel*/) { Form1.Show(); }

}  // namespace kalvenor
