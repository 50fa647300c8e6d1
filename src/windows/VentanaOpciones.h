#pragma once
// The options window: the sweep step, the opacity, keeping the main window on
// top and letting it be moved. "Aceptar" stores them in the settings file; the
// main window reads them when it loads again, which closing this window brings
// about.

#include <cstdint>
#include <string_view>

#include "forms/win32/Controls.h"
#include "forms/win32/Form.h"
#include "settings/Preferencias.h"

namespace kalvenor {

inline constexpr std::wstring_view kTituloOpciones = L"Opciones";

class VentanaOpciones final : public forms::Form {
public:
    VentanaOpciones();

private:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    void AvisarQueNoSeGuardo(ResultadoGuardado resultado);

    forms::Frame fraPaso;
    forms::Slider sliPaso;
    forms::Frame fraOpacidad;
    forms::Slider sliOpacidad;
    forms::CheckBox cheSiempreEncima;
    forms::CheckBox cheMovible;
    forms::CommandButton cmdAceptar;
    forms::CommandButton cmdCancelar;
};

extern VentanaOpciones Form2;

}  // namespace kalvenor
