#include "windows/VentanaPrincipal.h"

#include <windows.h>

#include "forms/win32/SystemAnsiCode.h"
#include "forms/core/Conversions.h"
#include "forms/core/RuntimeError.h"
#include "forms/core/Text.h"
#include "forms/core/AppTitle.h"
#include "resources/Recursos.h"
#include "settings/PreferenciasDelArchivo.h"
#include "sweep/Barrido.h"
#include "translation/FiltroTeclas.h"
#include "translation/Traduccion.h"
#include "windows/VentanaOpciones.h"
#include "windows/VentanaAcercaDe.h"

namespace kalvenor {

namespace {

using forms::Bounds;
using forms::ScrollBars;

const forms::FormDesign kDiseno{
    .caption = kTituloVentanaPrincipal,
    .borderStyle = forms::BorderStyle::FixedSingle,
    .clientWidth = 6480,
    .clientHeight = 4800,
    .backColor = RGB(255, 128, 128),
    .icon = IDI_KALVENOR,
    .heightDownToZero = true,  // the sweep collapses it
    // Another application's window leaves it alone; Opciones and Acerca de
    // make it give way.
    .deactivate = forms::DeactivateWhen::AnotherFormActivates,
};

// One line per value the file holds but the program cannot use.
std::u16string DescribirRechazadas(const std::vector<ClaveRechazada>& rechazadas) {
    using forms::TextFromNumber;
    std::u16string lineas;
    for (const ClaveRechazada& r : rechazadas) {
        const ClavePreferencia& clave = *r.clave;
        lineas += u"  ";
        lineas.append(clave.nombre).append(u"=").append(r.valor);
        if (r.error == forms::kErrorOverflow)
            lineas += u": fuera del intervalo de " + TextFromNumber(clave.archivo.minimo) + u" a " +
                      TextFromNumber(clave.archivo.maximo);
        else
            lineas += u": no es un número entero";
        lineas += u"; se usa " + TextFromNumber(clave.predeterminado) + u"\n";
    }
    return lineas;
}

const forms::FontDesign kFuenteEtiquetas{.face = L"MS Sans Serif", .points = 12.0, .bold = true};
constexpr COLORREF kColorEtiquetas = RGB(0, 128, 128);
constexpr COLORREF kFondoCajas = RGB(192, 255, 255);

}  // namespace

VentanaPrincipal Form1;

// The design, control by control, as a table.
// clang-format off
VentanaPrincipal::VentanaPrincipal()
    : Form(kDiseno),
      lblNormal(*this, {.caption = L"Ingrese el texto Normal a traducir",
                        .bounds = Bounds{45, 135, 4290, 375},
                        .tabIndex = 5,
                        .font = &kFuenteEtiquetas,
                        .foreColor = kColorEtiquetas,
                        .names = &txtNormal}),
      cmdTraducir(*this, {.caption = L"ZorbiTraducción", .bounds = Bounds{4410, 45, 1995, 420}, .tabIndex = 2}),
      txtNormal(*this, {.bounds = Bounds{90, 495, 6315, 1860},
                        .tabIndex = 0,
                        .multiLine = true,
                        .scrollBars = ScrollBars::Both,
                        .backColor = kFondoCajas}),
      cmdRegresar(*this, {.caption = L"Regresar a normal", .bounds = Bounds{4365, 2430, 2040, 420}, .tabIndex = 3}),
      lblClave(*this, {.caption = L"Ingrese el texto Zorbi a traducir",
                       .bounds = Bounds{45, 2520, 4290, 375},
                       .tabIndex = 4,
                       .font = &kFuenteEtiquetas,
                       .foreColor = kColorEtiquetas,
                       .names = &txtClave}),
      txtClave(*this, {.bounds = Bounds{45, 2880, 6360, 1860},
                       .tabIndex = 1,
                       .multiLine = true,
                       .scrollBars = ScrollBars::Both,
                       .backColor = kFondoCajas}),
      tmrPreferencias(*this, {.interval = 500, .enabled = true}),
      mnuArchivo(*this, {L"Archivo"}),
      mnuSalir(mnuArchivo, {L"Salir"}),
      mnuHerramientas(*this, {L"Herramientas"}),
      mnuOpciones(mnuHerramientas, {L"Opciones"}),
      mnuAyuda(*this, {L"?"}),
      mnuAcercaDe(mnuAyuda, {L"Acerca de..."}) {
    // clang-format on
    tmrPreferencias.Tick = [this] { tmrPreferencias_Timer(); };
    cmdTraducir.Click = [this] { cmdTraducir_Click(); };
    cmdRegresar.Click = [this] { cmdRegresar_Click(); };
    txtNormal.KeyPress = [this](std::int16_t& KeyAscii) { txtNormal_KeyPress(KeyAscii); };
    txtClave.KeyPress = [this](std::int16_t& KeyAscii) { txtClave_KeyPress(KeyAscii); };
    mnuSalir.Click = [this] { mnuSalir_Click(); };
    mnuOpciones.Click = [this] { mnuOpciones_Click(); };
    mnuAcercaDe.Click = [this] { mnuAcercaDe_Click(); };
}

void VentanaPrincipal::Show() {
    if (IsLoaded() && BarridoCerrandoseEn(*this)) Unload();
    Form::Show();
}

void VentanaPrincipal::Form_Load() {
    AvisarValoresRechazados(CargarPreferencias());
    IniciarBarrido(*this, Sentido::Abrir, Preferencias.Opacidad, Preferencias.PasoDelBarrido);
}

void VentanaPrincipal::Form_Resize() { RestoreNormalState(); }

void VentanaPrincipal::Form_Deactivate() { BarrerHastaCerrar(); }

void VentanaPrincipal::tmrPreferencias_Timer() {
    // Ordering only: another application's window the user brought to the
    // front keeps the activation.
    ::SetWindowPos(hWnd(), Preferencias.SiempreEncima != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (Preferencias.Movible == 0) LockAgainstMoving();
}

void VentanaPrincipal::cmdTraducir_Click() {
    const std::u16string clave = Traducir(forms::TextFromWide(txtNormal.Text()), HaciaClave);
    txtClave.SetText(forms::WideFromText(clave));
}

void VentanaPrincipal::cmdRegresar_Click() {
    const std::u16string normal = Traducir(forms::TextFromWide(txtClave.Text()), HaciaNormal);
    txtNormal.SetText(forms::WideFromText(normal));
}

void VentanaPrincipal::txtNormal_KeyPress(std::int16_t& KeyAscii) {
    FiltrarTecla(KeyAscii, PermitidosNormal, forms::SystemAnsiChar, forms::SystemAnsiCodePageKind());
}

void VentanaPrincipal::txtClave_KeyPress(std::int16_t& KeyAscii) {
    FiltrarTecla(KeyAscii, PermitidosClave, forms::SystemAnsiChar, forms::SystemAnsiCodePageKind());
}

void VentanaPrincipal::mnuSalir_Click() { BarrerHastaCerrar(); }

void VentanaPrincipal::mnuOpciones_Click() { Form2.Show(); }

void VentanaPrincipal::mnuAcercaDe_Click() { Form3.Show(); }

// An edited settings file must not keep the program from starting: its
// unusable values give way to the defaults, and the user is told once for
// each set of such values, not at every reload of the window.
void VentanaPrincipal::AvisarValoresRechazados(const std::vector<ClaveRechazada>& rechazadas) {
    static std::vector<ClaveRechazada> yaAvisadas;
    if (rechazadas.empty() || rechazadas == yaAvisadas) return;
    yaAvisadas = rechazadas;
    std::u16string mensaje = u"El archivo de configuración tiene valores que Kalvenor no puede usar:\n\n";
    mensaje += DescribirRechazadas(rechazadas);
    mensaje += u"\nEl archivo no se ha modificado. Para corregirlo, abra Herramientas > Opciones y pulse \"Aceptar\".";
    const std::wstring titulo = forms::WideFromText(forms::AppTitle());
    ::MessageBoxW(nullptr, forms::WideFromText(mensaje).c_str(), titulo.c_str(), MB_OK | MB_ICONWARNING);
}

void VentanaPrincipal::BarrerHastaCerrar() {
    IniciarBarrido(*this, Sentido::Cerrar, Preferencias.Opacidad, Preferencias.PasoDelBarrido);
}

}  // namespace kalvenor
