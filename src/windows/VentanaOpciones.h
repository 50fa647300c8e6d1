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
    void Command1_Click();
    void Command2_Click();

    void AvisarQueNoSeGuardo(ResultadoGuardado resultado);

    forms::Frame Frame1;
    forms::Slider sliBarrido;
    forms::Frame Frame2;
    forms::Slider sliLayer;
    forms::CheckBox cheShowPopUp;
    forms::CheckBox cheMovible;
    forms::CommandButton Command1;
    forms::CommandButton Command2;
};

extern VentanaOpciones Form2;

}  // namespace kalvenor
