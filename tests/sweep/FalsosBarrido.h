#pragma once
// Fakes for the sweep's tests: a taskbar and timers behind PlataformaBarrido,
// a screen, and a window. Every platform call and every change of the window
// goes into one journal, in order.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "forms/core/Ventana.h"
#include "sweep/Barrido.h"
#include "sweep/PlataformaBarrido.h"

namespace kalvenor::prueba {

inline std::string Numero(double valor) {
    std::ostringstream texto;
    texto << valor;
    return texto.str();
}

class PantallaFalsa : public forms::Pantalla {
public:
    float ancho = 15360.0f;  // 1024 pixels at 15 twips per pixel
    float alto = 11520.0f;   // 768 pixels
    float twipsPorPixelY = 15.0f;

    float Width() const override { return ancho; }
    float Height() const override { return alto; }
    float TwipsPerPixelY() const override { return twipsPorPixelY; }
};

class PlataformaFalsa : public PlataformaBarrido {
public:
    // The taskbar: its handle (0 for none) and what GetWindowRect gives.
    forms::Handle barra = 77;
    std::int32_t resultadoRect = 1;
    RectanguloPixeles rectBarra{0, 738, 1024, 768};

    std::vector<std::string> diario;
    std::map<forms::Handle, std::int32_t> estilos;
    std::map<forms::Handle, std::uint8_t> alfas;
    std::map<forms::Handle, forms::Handle> posicionesZ;
    // Armed timers by (handle, id), with their period.
    std::map<std::pair<forms::Handle, std::uintptr_t>, std::uint32_t> temporizadores;
    int temporizadoresArmados = 0;

    forms::Handle FindWindowA(const char* clase, const char* titulo) override {
        diario.push_back("FindWindowA(" + Texto(clase) + ", " + Texto(titulo) + ")");
        return barra;
    }

    std::int32_t GetWindowRect(forms::Handle ventana, RectanguloPixeles& rectangulo) override {
        diario.push_back("GetWindowRect(" + std::to_string(ventana) + ")");
        if (resultadoRect > 0) rectangulo = rectBarra;
        return resultadoRect;
    }

    std::int32_t SetWindowPos(forms::Handle ventana, forms::Handle insertarDespues, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) override {
        diario.push_back("SetWindowPos(" + std::to_string(ventana) + ", " +
                         std::to_string(insertarDespues) + ", " + std::to_string(x) + ", " +
                         std::to_string(y) + ", " + std::to_string(cx) + ", " +
                         std::to_string(cy) + ", " + std::to_string(flags) + ")");
        posicionesZ[ventana] = insertarDespues;
        return 1;
    }

    std::int32_t GetWindowLongA(forms::Handle ventana, std::int32_t indice) override {
        diario.push_back("GetWindowLongA(" + std::to_string(ventana) + ", " +
                         std::to_string(indice) + ")");
        return estilos[ventana];
    }

    std::int32_t SetWindowLongA(forms::Handle ventana, std::int32_t indice,
                                std::int32_t valor) override {
        diario.push_back("SetWindowLongA(" + std::to_string(ventana) + ", " +
                         std::to_string(indice) + ", " + std::to_string(valor) + ")");
        const std::int32_t anterior = estilos[ventana];
        estilos[ventana] = valor;
        return anterior;
    }

    std::int32_t SetLayeredWindowAttributes(forms::Handle ventana, std::uint32_t colorClave,
                                            std::uint8_t alfa, std::uint32_t flags) override {
        diario.push_back("SetLayeredWindowAttributes(" + std::to_string(ventana) + ", " +
                         std::to_string(colorClave) + ", " + std::to_string(alfa) + ", " +
                         std::to_string(flags) + ")");
        alfas[ventana] = alfa;
        return 1;
    }

    std::uintptr_t SetTimer(forms::Handle ventana, std::uintptr_t id,
                            std::uint32_t periodoMs) override {
        diario.push_back("SetTimer(" + std::to_string(ventana) + ", " + std::to_string(id) +
                         ", " + std::to_string(periodoMs) + ")");
        temporizadores[{ventana, id}] = periodoMs;  // same handle and id: replaced
        ++temporizadoresArmados;
        return 1;
    }

    std::int32_t KillTimer(forms::Handle ventana, std::uintptr_t id) override {
        diario.push_back("KillTimer(" + std::to_string(ventana) + ", " + std::to_string(id) + ")");
        return temporizadores.erase({ventana, id}) > 0 ? 1 : 0;
    }

    // Destroying a window removes its timers, as the platform does.
    void DestruirVentana(forms::Handle ventana) {
        for (auto it = temporizadores.begin(); it != temporizadores.end();) {
            if (it->first.first == ventana)
                it = temporizadores.erase(it);
            else
                ++it;
        }
    }

    bool HayTemporizador(forms::Handle ventana) const {
        return temporizadores.count({ventana, kIdTemporizadorBarrido}) > 0;
    }

    // One round of the message loop: each armed timer ticks once (its
    // callback is PasoBarrido). Returns how many ticked.
    int Tick() {
        int ticks = 0;
        const auto armados = temporizadores;
        for (const auto& [clave, periodo] : armados) {
            (void)periodo;
            if (temporizadores.count(clave) == 0) continue;
            ++ticks;
            PasoBarrido();
        }
        return ticks;
    }

    // Ticks until no timer is left (or the limit); returns the ticks.
    int TickHastaParar(int limite = 10000) {
        int ticks = 0;
        while (!temporizadores.empty() && ticks < limite) ticks += Tick();
        return ticks;
    }

    void LimpiarDiario() { diario.clear(); }

private:
    static std::string Texto(const char* texto) {
        if (texto == nullptr) return "NULL";
        std::string entrecomillado(1, '"');
        entrecomillado += texto;
        entrecomillado += '"';
        return entrecomillado;
    }
};

class VentanaFalsa : public forms::Ventana {
public:
    VentanaFalsa(PlataformaFalsa& plataforma, forms::Handle handle, float left, float top,
                 float width, float height)
        : plataforma_(plataforma), handle_(handle), left_(left), top_(top), width_(width),
          height_(height) {}

    // What the platform allows: its smallest and largest height, and (when
    // not 0) the twips per pixel that sizes and positions are rounded to.
    float alturaMinima = 0.0f;
    float alturaMaxima = std::numeric_limits<float>::infinity();
    float twipsPorPixel = 0.0f;

    std::function<void()> alDescargar;  // the window's Unload handler

    int descargas = 0;
    int lecturasHwnd = 0;
    mutable int accesosTrasDescarga = 0;
    std::vector<float> alturasPedidas;

    bool Destruida() const { return destruida_; }

    float Left() const override { return Leer(left_); }
    float Top() const override { return Leer(top_); }
    float Width() const override { return Leer(width_); }
    float Height() const override { return Leer(height_); }

    void SetTop(float twips) override {
        Acceso();
        plataforma_.diario.push_back("SetTop(" + Numero(twips) + ")");
        top_ = APixeles(twips);
    }

    void SetHeight(float twips) override {
        Acceso();
        plataforma_.diario.push_back("SetHeight(" + Numero(twips) + ")");
        alturasPedidas.push_back(twips);
        height_ = std::clamp(APixeles(std::max(twips, 0.0f)), alturaMinima, alturaMaxima);
    }

    void Move(float left, float top) override {
        Acceso();
        plataforma_.diario.push_back("Move(" + Numero(left) + ", " + Numero(top) + ")");
        left_ = APixeles(left);
        top_ = APixeles(top);
    }

    forms::Handle hWnd() const override {
        Acceso();
        ++const_cast<VentanaFalsa*>(this)->lecturasHwnd;
        return destruida_ ? 0 : handle_;
    }

    void Unload() override {
        Acceso();
        plataforma_.diario.push_back("Unload");
        ++descargas;
        if (alDescargar) alDescargar();
        destruida_ = true;
        plataforma_.DestruirVentana(handle_);
    }

    // A new load of the same window object: a new handle, the designed size.
    void Recargar(forms::Handle handle, float height) {
        destruida_ = false;
        handle_ = handle;
        height_ = height;
    }

    // The values as they stand, without counting as an access.
    float AltoActual() const { return height_; }
    float ArribaActual() const { return top_; }
    float IzquierdaActual() const { return left_; }

private:
    void Acceso() const {
        if (destruida_) ++accesosTrasDescarga;
    }
    float Leer(float valor) const {
        Acceso();
        return valor;
    }
    float APixeles(float twips) const {
        if (twipsPorPixel <= 0.0f) return twips;
        return std::nearbyint(twips / twipsPorPixel) * twipsPorPixel;
    }

    PlataformaFalsa& plataforma_;
    forms::Handle handle_;
    float left_, top_, width_, height_;
    bool destruida_ = false;
};

}  // namespace kalvenor::prueba
