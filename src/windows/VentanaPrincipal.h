#pragma once
// The main window: the translator's two boxes and buttons, the menu bar, and
// the timer that keeps its z-order and movability in line with the preferences.
// It never simply shows or hides. Its life cycle:
//   - Load: read the preferences, sweep open from the taskbar corner.
//   - Deactivate (raised only when Opciones or Acerca de takes the activation,
//     as its design declares) and Salir: sweep shut, and the sweep unloads it.
//   - Opciones or Acerca de unloads: Show, which loads it anew (fresh
//     preferences, empty boxes) and so sweeps it open again.
//   - A second start of the program: Show (forms/win32/Application.h), the
//     same; a window still sweeping shut comes back loaded anew.
// The program ends when it has unloaded and no other window is loaded.

#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/win32/Controls.h"
#include "forms/win32/Form.h"
#include "settings/Preferencias.h"

namespace kalvenor {

inline constexpr std::wstring_view kTituloVentanaPrincipal = L"Kalvenor 1.0 - por el equipo de Kalvenor";

class VentanaPrincipal final : public forms::Form {
public:
    VentanaPrincipal();

    // A show request while the closing sweep still runs brings the window back
    // as a fresh load instead of letting the sweep end the program.
    void Show() override;

private:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Deactivate() override;
    void tmrPreferencias_Timer();
    void cmdTraducir_Click();
    void cmdRegresar_Click();
    void txtNormal_KeyPress(std::int16_t& KeyAscii);
    void txtClave_KeyPress(std::int16_t& KeyAscii);
    void mnuSalir_Click();
    void mnuOpciones_Click();
    void mnuAcercaDe_Click();

    void BarrerHastaCerrar();
    void AvisarValoresRechazados(const std::vector<ClaveRechazada>& rechazadas);

    // Row by row from the top: the plain-text side, then the code side.
    forms::Label lblNormal;
    forms::CommandButton cmdTraducir;
    forms::TextBox txtNormal;
    forms::CommandButton cmdRegresar;
    forms::Label lblClave;
    forms::TextBox txtClave;
    forms::Timer tmrPreferencias;

    forms::Menu mnuArchivo;
    forms::Menu mnuSalir;
    forms::Menu mnuHerramientas;
    forms::Menu mnuOpciones;
    forms::Menu mnuAyuda;
    forms::Menu mnuAcercaDe;
};

extern VentanaPrincipal Form1;

}  // namespace kalvenor
