#pragma once
// A form: a top-level window described by a design (caption, border, client
// size, colours) and the controls declared as its members. Loading creates the
// window and its controls from the design, unloading destroys them; the form
// object itself lives for the whole run, so every load starts from the design.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "forms/core/Window.h"
#include "forms/win32/Handles.h"
#include "forms/win32/Menu.h"
#include "forms/win32/Timer.h"

namespace kalvenor::forms {

class Control;

enum class BorderStyle {
    FixedSingle,      // title bar, no sizing border
    FixedToolWindow,  // the small caption bar of a tool window
};

// When the Deactivate event is raised.
enum class DeactivateWhen {
    AnyWindowActivates,   // whenever the form loses the activation
    AnotherFormActivates  // only when another form of this program takes it, never another application
};

struct FormDesign {
    std::wstring_view caption;
    BorderStyle borderStyle = BorderStyle::FixedSingle;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    std::optional<COLORREF> backColor;  // none: the system's dialog colour
    int icon = 0;                       // resource id; 0 for none
    // The height may be set down to 0, below the platform's smallest height
    // for a captioned window (a window that sweeps shut and open).
    bool heightDownToZero = false;
    DeactivateWhen deactivate = DeactivateWhen::AnyWindowActivates;
};

class Form : public Window {
public:
    explicit Form(const FormDesign& design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Loads the form when it is not loaded (its Load event runs), then shows
    // it and brings it forward.
    virtual void Show();
    // The Unload event, then the window is destroyed with its controls and timers.
    void Unload() override;
    // The window is destroyed with its controls and timers, and no event is
    // raised: from now on (StopEvents), or on its way out (Destroy). For the
    // end of a session (Application::EndSession).
    void StopEvents() noexcept { raiseEvents_ = false; }
    void Destroy() noexcept;
    bool IsLoaded() const noexcept { return window_ != nullptr; }

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetTop(float twips) override;
    void SetHeight(float twips) override;
    void Move(float left, float top) override;
    HWND hWnd() const override { return window_; }

    // Moves the window back just inside the work area of the monitor it stands
    // on (the monitor less its taskbar) wherever it crosses an edge; a window
    // larger than the work area keeps its top-left corner inside it.
    void KeepInsideWorkArea();

    // Window state 0: neither minimized nor maximized.
    void RestoreNormalState();

    // The move lock is the Move command of the window's system menu: taken
    // out, the window can be moved neither by its caption nor by the
    // keyboard. A fresh load, with a fresh system menu, is unlocked.
    void LockAgainstMoving() noexcept;
    bool LockedAgainstMoving() const noexcept;

    HBRUSH BackgroundBrush() const noexcept;
    // While the system's high contrast is on, the form and its controls draw
    // in the system colours instead of their designed ones.
    bool HighContrast() const noexcept { return highContrast_; }

    // Every form's window is of this class.
    static constexpr wchar_t kClassName[] = L"KalvenorForm";

    // The menu bar and the timers the form is designed with (Menu.h, Timer.h).
    MenuBar& Menus() noexcept { return menuBar_; }
    FormTimers& Timers() noexcept { return timers_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}
    // Raised when the form loses the activation, as its design says.
    virtual void Form_Deactivate() {}

private:
    friend class Control;

    void Load();
    void CreateControls();
    void OnDestroyed();
    void OnColorsChanged(bool systemColorsChanged);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    Control* FindControl(HWND window) const noexcept;
    Control* FindControl(int id) const noexcept;
    void SetBounds(std::optional<POINT> position, std::optional<SIZE> size);
    RECT WindowRect() const noexcept;

    void BringToFront() noexcept;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    FormDesign design_;
    HWND window_ = nullptr;
    std::vector<Control*> controls_;
    MenuBar menuBar_;
    FormTimers timers_;
    UniqueBrush backBrush_;
    HWND focusBeforeDeactivation_ = nullptr;
    bool raiseEvents_ = false;
    bool highContrast_ = false;
    bool unloading_ = false;
};

}  // namespace kalvenor::forms
