#pragma once
// The controls a form is designed with. Each is declared as a member of its
// form with its design (caption, position and size in twips, tab order, look);
// its window is created when the form loads and destroyed with the form.
// Events are std::function members the form wires to its handlers. A control
// that dies before its form leaves it, taking its window along, so the form
// never reaches it again. (A form's timers and menus: Timer.h, Menu.h.)

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

class Form;
class Frame;

// Position and size in twips, relative to the control's container.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct FontDesign {
    std::wstring_view face;
    double points = 8.0;
    bool bold = false;
};

class Control {
public:
    Control(Form& form, const Bounds& bounds, int tabIndex);
    Control(Frame& container, const Bounds& bounds, int tabIndex);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hWnd() const noexcept { return window_; }

protected:
    friend class Form;

    // Creates the control's window when the form loads.
    virtual void Create() = 0;
    virtual void OnCommand(WORD /*notification*/) {}
    // WM_CTLCOLOR*: a brush for the background, or null for the default.
    virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }
    virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    virtual void OnDestroyed() {}
    // The control a label names, for a label created right before it.
    virtual const Control* NamedControl() const noexcept { return nullptr; }

    HWND CreateChild(const wchar_t* windowClass, std::wstring_view text, DWORD style, DWORD exStyle = 0);
    void ApplyFont(const FontDesign* font);
    Form& Owner() const noexcept { return form_; }
    int Id() const noexcept { return id_; }

private:
    Form& form_;
    const Frame* container_ = nullptr;
    Bounds bounds_;
    int tabIndex_;
    int id_ = 0;
    HWND window_ = nullptr;
};

enum class ScrollBars { None, Horizontal, Vertical, Both };

class TextBox final : public Control {
public:
    struct Design {
        Bounds bounds;
        int tabIndex = 0;
        bool multiLine = false;
        ScrollBars scrollBars = ScrollBars::None;
        std::optional<COLORREF> backColor;
    };
    TextBox(Form& form, const Design& design);

    std::wstring Text() const;
    void SetText(std::wstring_view text);

    // Each typed character, before the box takes it, as a key code of the
    // ANSI code page. Setting it to 0 cancels the key.
    std::function<void(std::int16_t& KeyAscii)> KeyPress;

private:
    void Create() override;
    HBRUSH OnColor(HDC dc) override;
    void OnDestroyed() override;
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnChar(HWND window, WPARAM character, LPARAM keyData);

    Design design_;
    UniqueBrush backBrush_;
};

class CommandButton final : public Control {
public:
    struct Design {
        std::wstring_view caption;
        Bounds bounds;
        int tabIndex = 0;
    };
    CommandButton(Form& form, const Design& design);

    std::function<void()> Click;

private:
    void Create() override;
    void OnCommand(WORD notification) override;
    Design design_;
};

class Label final : public Control {
public:
    struct Design {
        std::wstring_view caption;
        Bounds bounds;
        int tabIndex = 0;
        const FontDesign* font = nullptr;
        std::optional<COLORREF> foreColor;
        // The box this label names for screen readers.
        const TextBox* names = nullptr;
    };
    Label(Form& form, const Design& design);

private:
    void Create() override;
    HBRUSH OnColor(HDC dc) override;
    const Control* NamedControl() const noexcept override { return design_.names; }
    Design design_;
};

class CheckBox final : public Control {
public:
    struct Design {
        std::wstring_view caption;
        Bounds bounds;
        int tabIndex = 0;
        const FontDesign* font = nullptr;
    };
    CheckBox(Form& form, const Design& design);

    // 0 clear, 1 checked. Any other non-zero value shows checked, as the
    // program treats every non-zero flag as yes.
    std::int16_t Value() const;
    void SetValue(std::int16_t value);

private:
    void Create() override;
    HBRUSH OnColor(HDC dc) override;
    Design design_;
};

class Frame final : public Control {
public:
    struct Design {
        std::wstring_view caption;
        Bounds bounds;
        int tabIndex = 0;
    };
    Frame(Form& form, const Design& design);

private:
    friend class Control;
    void Create() override;
    HBRUSH OnColor(HDC dc) override;
    Design design_;
};

// The common-controls trackbar, horizontal.
class Slider final : public Control {
public:
    struct Design {
        Bounds bounds;
        int tabIndex = 0;
        int min = 0;
        int max = 10;
        int smallChange = 1;
        int largeChange = 5;
        int tickFrequency = 1;
    };
    Slider(Frame& container, const Design& design);

    int Value() const;
    // A value outside Min..Max shows as the nearest end.
    void SetValue(int value);

private:
    void Create() override;
    HBRUSH OnColor(HDC dc) override;
    Design design_;
};

// Shows a JPEG stored in the program's resources at its own size from the
// top-left corner, inside a sunken border.
class PictureBox final : public Control {
public:
    struct Design {
        Bounds bounds;
        int tabIndex = 0;
        int picture = 0;  // RCDATA resource id
    };
    PictureBox(Form& form, const Design& design);

private:
    void Create() override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnDestroyed() override;
    Design design_;
    UniqueBitmap picture_;
};

}  // namespace kalvenor::forms
