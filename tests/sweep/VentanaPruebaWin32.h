#pragma once
// A small captioned top-level window for the sweep's Wine tests, implementing
// forms::Ventana over an HWND (twips = pixels x 1440 / dpi), until the forms
// layer's own window can stand in. Its WM_GETMINMAXINFO lets the window be as
// short as asked, down to alturaMinimaPixeles.

#include <windows.h>

#include <functional>

#include "forms/core/Ventana.h"

namespace kalvenor::prueba {

class PantallaWin32 : public forms::Pantalla {
public:
    float Width() const override;
    float Height() const override;
    float TwipsPerPixelY() const override;
};

float TwipsPorPixel();

class VentanaPruebaWin32 : public forms::Ventana {
public:
    // Created hidden, at (x, y), with the given outer size in pixels.
    VentanaPruebaWin32(int x, int y, int anchoPixeles, int altoPixeles, int alturaMinimaPixeles = 0);
    ~VentanaPruebaWin32() override;
    VentanaPruebaWin32(const VentanaPruebaWin32&) = delete;
    VentanaPruebaWin32& operator=(const VentanaPruebaWin32&) = delete;

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetTop(float twips) override;
    void SetHeight(float twips) override;
    void Move(float left, float top) override;
    forms::Handle hWnd() const override;
    void Unload() override;

    void Mostrar();
    HWND Hwnd() const { return hwnd_; }
    RECT Rectangulo() const;

    std::function<void()> alDescargar;  // the Unload handler
    int descargas = 0;
    mutable int accesosTrasDescarga = 0;

private:
    static LRESULT CALLBACK Procedimiento(HWND, UINT, WPARAM, LPARAM);
    RECT RectanguloVivo() const;
    void Posicionar(int x, int y, int cx, int cy, UINT flags);

    HWND hwnd_ = nullptr;
    int alturaMinimaPixeles_;
};

}  // namespace kalvenor::prueba
