#pragma once
// Fakes for the sweep's tests: a taskbar and the sweep timer behind
// PlataformaBarrido, a screen, and a window that, like a real one, stands on
// whole pixels and turns twips into pixels with the forms layer's conversion.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "forms/core/Units.h"
#include "forms/core/Window.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarrido.h"

namespace kalvenor::pruebas {

// A made-up window handle.
inline forms::Handle Hwnd(std::intptr_t valor) { return reinterpret_cast<forms::Handle>(valor); }

// A screen of 1024 x 768 pixels at ppp dots per inch.
class PantallaFalsa : public forms::Screen {
public:
    int ppp = forms::kStandardDpi;
    RectanguloPixeles areaDeTrabajo{0, 0, 1024, 768};

    float Width() const override { return forms::TwipsFromPixels(1024, ppp); }
    float Height() const override { return forms::TwipsFromPixels(768, ppp); }
    float TwipsPerPixelY() const override { return forms::TwipsPerPixel(ppp); }
    forms::TwipsRect WorkArea() const override {
        const auto twips = [this](int pixeles) { return forms::TwipsFromPixels(pixeles, ppp); };
        return {twips(areaDeTrabajo.left), twips(areaDeTrabajo.top), twips(areaDeTrabajo.right),
                twips(areaDeTrabajo.bottom)};
    }
};

class PlataformaFalsa : public PlataformaBarrido {
public:
    // The taskbar: its handle (0 for none) and what GetWindowRect gives.
    forms::Handle barra = Hwnd(77);
    std::int32_t resultadoRect = 1;
    RectanguloPixeles rectBarra{0, 738, 1024, 768};

    // What the calls leave behind, window by window: the outcome, where a
    // window under Wine shows it too; the ordering call's flags, whose effect
    // only Windows shows.
    std::map<forms::Handle, std::int32_t> estilos;
    std::map<forms::Handle, std::uint8_t> alfas;
    std::set<forms::Handle> encima;
    std::map<forms::Handle, std::uint32_t> banderasOrden;
    std::set<std::pair<forms::Handle, std::uintptr_t>> temporizadores;

    forms::Handle FindWindowA(const char*, const char*) override { return barra; }

    std::int32_t GetWindowRect(forms::Handle, RectanguloPixeles& rectangulo) override {
        if (resultadoRect > 0) rectangulo = rectBarra;
        return resultadoRect;
    }

    std::int32_t SetWindowPos(forms::Handle ventana, forms::Handle insertarDespues, std::int32_t, std::int32_t,
                              std::int32_t, std::int32_t, std::uint32_t flags) override {
        if (insertarDespues == kHwndTopmost) encima.insert(ventana);
        banderasOrden[ventana] = flags;
        return 1;
    }

    std::int32_t GetWindowLongA(forms::Handle ventana, std::int32_t) override { return estilos[ventana]; }

    std::int32_t SetWindowLongA(forms::Handle ventana, std::int32_t, std::int32_t valor) override {
        return std::exchange(estilos[ventana], valor);
    }

    std::int32_t SetLayeredWindowAttributes(forms::Handle ventana, std::uint32_t, std::uint8_t alfa,
                                            std::uint32_t) override {
        alfas[ventana] = alfa;
        return 1;
    }

    std::uintptr_t SetTimer(forms::Handle ventana, std::uintptr_t id, std::uint32_t) override {
        temporizadores.insert({ventana, id});  // same handle and id: replaced
        return 1;
    }

    std::int32_t KillTimer(forms::Handle ventana, std::uintptr_t id) override {
        return temporizadores.erase({ventana, id}) > 0 ? 1 : 0;
    }

    // Destroying a window removes its timers, as the platform does.
    void DestruirVentana(forms::Handle ventana) {
        std::erase_if(temporizadores, [ventana](const auto& t) { return t.first == ventana; });
    }

    bool HayTemporizador(forms::Handle ventana) const {
        return temporizadores.count({ventana, kIdTemporizadorBarrido}) > 0;
    }

    // One round of the message loop: each armed timer ticks once, for its
    // window (its callback is PasoBarrido). Returns how many ticked.
    int Tick() {
        int ticks = 0;
        for (const auto& temporizador : std::set(temporizadores)) {
            if (temporizadores.count(temporizador) == 0) continue;
            ++ticks;
            PasoBarrido(temporizador.first);
        }
        return ticks;
    }

    // Ticks until no timer is left (or the limit); returns the ticks.
    int TickHastaParar(int limite = 100000) {
        int ticks = 0;
        while (!temporizadores.empty() && ticks < limite) ticks += Tick();
        return ticks;
    }
};

// A window whose geometry is whole pixels at ppp dots per inch.
class VentanaFalsa : public forms::Window {
public:
    VentanaFalsa(PlataformaFalsa& plataforma, forms::Handle handle, int ppp, int izquierda, int arriba, int ancho,
                 int alto)
        : plataforma_(plataforma),
          handle_(handle),
          ppp_(ppp),
          izquierda_(izquierda),
          arriba_(arriba),
          ancho_(ancho),
          alto_(alto) {}

    // The smallest and largest height the platform allows, in pixels.
    int alturaMinima = 0;
    int alturaMaxima = INT_MAX;

    int descargas = 0;
    mutable int accesosTrasDescarga = 0;

    float Left() const override { return Twips(izquierda_); }
    float Top() const override { return Twips(arriba_); }
    float Width() const override { return Twips(ancho_); }
    float Height() const override { return Twips(alto_); }

    void SetTop(float twips) override {
        Acceso();
        arriba_ = Pixeles(twips);
    }

    void SetHeight(float twips) override {
        Acceso();
        alto_ = std::clamp(Pixeles(twips), std::max(alturaMinima, 0), alturaMaxima);
    }

    void Move(float left, float top) override {
        Acceso();
        izquierda_ = Pixeles(left);
        arriba_ = Pixeles(top);
    }

    forms::Handle hWnd() const override {
        Acceso();
        return destruida_ ? nullptr : handle_;
    }

    void Unload() override {
        Acceso();
        ++descargas;
        destruida_ = true;
        plataforma_.DestruirVentana(handle_);
    }

    // A new load of the same window object: a new handle, the designed height.
    void Recargar(forms::Handle handle, int alto) {
        destruida_ = false;
        handle_ = handle;
        alto_ = alto;
    }

    // The geometry in pixels as it stands, without counting as an access.
    bool Destruida() const { return destruida_; }
    int Izquierda() const { return izquierda_; }
    int Arriba() const { return arriba_; }
    int Alto() const { return alto_; }
    int Abajo() const { return arriba_ + alto_; }

private:
    void Acceso() const {
        if (destruida_) ++accesosTrasDescarga;
    }
    float Twips(int pixeles) const {
        Acceso();
        return forms::TwipsFromPixels(pixeles, ppp_);
    }
    int Pixeles(float twips) const { return forms::PixelsFromTwips(twips, ppp_); }

    PlataformaFalsa& plataforma_;
    forms::Handle handle_;
    int ppp_;
    int izquierda_, arriba_, ancho_, alto_;
    bool destruida_ = false;
};

}  // namespace kalvenor::pruebas
