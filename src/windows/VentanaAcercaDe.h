#pragma once
// The about window: a picture and four lines of credits. It opens at the main
// window's corner and closes itself four seconds later, bringing the main
// window back.

#include <cstdint>
#include <string_view>

#include "forms/win32/Controls.h"
#include "forms/win32/Form.h"

namespace kalvenor {

inline constexpr std::wstring_view kTituloAcercaDe = L"Acerca de...";

class VentanaAcercaDe final : public forms::Form {
public:
    VentanaAcercaDe();

private:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
    void tmrCierre_Timer();

    forms::PictureBox picImagen;
    forms::Label lblTitulo;
    forms::Label lblCorreo;
    forms::Label lblLugar;
    forms::Label lblDedicatoria;
    forms::Timer tmrCierre;
};

extern VentanaAcercaDe Form3;

}  // namespace kalvenor
