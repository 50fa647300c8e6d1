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
    void Timer1_Timer();

    forms::PictureBox Picture1;
    forms::Label Label1;
    forms::Label Label2;
    forms::Label Label3;
    forms::Label Label4;
    forms::Timer Timer1;
};

extern VentanaAcercaDe Form3;

}  // namespace kalvenor
