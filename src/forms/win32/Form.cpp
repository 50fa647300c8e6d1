#include "forms/win32/Form.h"

#include <algorithm>
#include <utility>

#include "forms/win32/Application.h"
#include "forms/win32/Screen.h"
#include "forms/win32/Controls.h"
#include "forms/core/WorkArea.h"
#include "forms/core/RuntimeError.h"
#include "forms/core/Text.h"
#include "forms/win32/Fonts.h"
#include "forms/win32/ErrorReport.h"

namespace kalvenor::forms {

namespace {

// Control ids start above IDOK and IDCANCEL, which dialog navigation sends,
// and above the menu items' (Menu.cpp).
constexpr int kFirstControlId = 1000;

void RegisterFormClass(WNDPROC windowProc) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, Form::kClassName, &existing)) return;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = Form::kClassName;
    ::RegisterClassExW(&windowClass);
}

// Both borders are fixed: a caption with its system menu, no sizing border,
// no minimize or maximize button.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

bool HighContrastOn() noexcept {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

DWORD ExStyleOf(BorderStyle border) {
    return WS_EX_CONTROLPARENT | (border == BorderStyle::FixedToolWindow ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW);
}

}  // namespace

Form::Form(const FormDesign& design) : design_(design) { Application::Joined(*this); }

Form::~Form() {
    Destroy();
    Application::Left(*this);
}

void Form::Load() {
    RegisterFormClass(&Form::WindowProc);
    const DWORD style = kFormStyle;
    const DWORD exStyle = ExStyleOf(design_.borderStyle);
    RECT outer{0, 0, PixelsX(design_.clientWidth), PixelsY(design_.clientHeight)};
    ::AdjustWindowRectEx(&outer, style, !menuBar_.Empty(), exStyle);

    if (design_.backColor) backBrush_.reset(::CreateSolidBrush(*design_.backColor));
    highContrast_ = HighContrastOn();

    const std::wstring caption(design_.caption);
    // The menu bar comes with the window: set afterwards, it would make the
    // window work out its frame again.
    UniqueMenu menuBar = menuBar_.Build();
    HWND window = ::CreateWindowExW(exStyle, Form::kClassName, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                    outer.right - outer.left, outer.bottom - outer.top, nullptr, menuBar.get(),
                                    ::GetModuleHandleW(nullptr), this);
    if (!window) {
        const DWORD error = ::GetLastError();
        // A window that failed after taking the menu destroyed it with itself.
        if (!::IsMenu(menuBar.get())) menuBar.release();
        throw WindowNotCreated(TextFromWide(Form::kClassName), error);
    }
    menuBar.release();  // the window owns it now

    if (design_.icon != 0) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        auto load = [&](int size) {
            return static_cast<HICON>(
                ::LoadImageW(instance, MAKEINTRESOURCEW(design_.icon), IMAGE_ICON, size, size, LR_SHARED));
        };
        ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(::GetSystemMetrics(SM_CXICON))));
        ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(::GetSystemMetrics(SM_CXSMICON))));
    }
    try {
        CreateControls();
    } catch (...) {
        // No half-built window stays behind a failed load.
        Destroy();
        throw;
    }
    timers_.StartAll(window);

    raiseEvents_ = true;
    Form_Load();
}

void Form::CreateControls() {
    // Creation order is z-order and tab order, except that a label that names
    // a control comes right before it: Windows, and with it a screen reader,
    // names a control without a caption of its own after the static text
    // just before it in z-order.
    const auto place = [](const Control* c) {
        const Control* named = c->NamedControl();
        return std::pair(named ? named->tabIndex_ : c->tabIndex_, named == nullptr);
    };
    std::vector<Control*> inOrder = controls_;
    std::stable_sort(inOrder.begin(), inOrder.end(),
                     [&](const Control* a, const Control* b) { return place(a) < place(b); });
    int id = kFirstControlId;
    for (Control* control : inOrder) {
        control->id_ = id++;
        control->Create();
    }
}

void Form::Show() {
    if (!IsLoaded()) Load();
    if (!IsLoaded()) return;  // the Load event may have unloaded it
    if (!::IsWindowVisible(window_)) ::ShowWindow(window_, SW_SHOW);
    BringToFront();
}

void Form::BringToFront() noexcept {
    Application::Shown(*this);
    ::SetForegroundWindow(window_);
    ::BringWindowToTop(window_);
}

void Form::Unload() {
    if (!IsLoaded() || unloading_) return;
    unloading_ = true;
    std::int16_t cancel = 0;
    struct ClearFlag {
        bool& flag;
        ~ClearFlag() { flag = false; }
    } clear{unloading_};
    Form_Unload(cancel);
    if (cancel != 0 || !IsLoaded()) return;
    Destroy();
}

void Form::Destroy() noexcept {
    if (!window_) return;
    raiseEvents_ = false;  // no Deactivate or Resize from a window on its way out
    // WM_NCDESTROY clears window_ and the controls' handles (OnDestroyed).
    ::DestroyWindow(window_);
}

void Form::OnDestroyed() {
    raiseEvents_ = false;
    for (Control* control : controls_) {
        control->OnDestroyed();
        control->window_ = nullptr;
    }
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    focusBeforeDeactivation_ = nullptr;
    backBrush_.reset();
    Application::Unloaded();
}

void Form::LockAgainstMoving() noexcept { ::RemoveMenu(::GetSystemMenu(window_, FALSE), SC_MOVE, MF_BYCOMMAND); }

bool Form::LockedAgainstMoving() const noexcept {
    return ::GetMenuState(::GetSystemMenu(window_, FALSE), SC_MOVE, MF_BYCOMMAND) == static_cast<UINT>(-1);
}

RECT Form::WindowRect() const noexcept {
    RECT rect{};
    if (window_) ::GetWindowRect(window_, &rect);
    return rect;
}

float Form::Left() const { return TwipsX(WindowRect().left); }
float Form::Top() const { return TwipsY(WindowRect().top); }
float Form::Width() const {
    const RECT rect = WindowRect();
    return TwipsX(rect.right - rect.left);
}
float Form::Height() const {
    const RECT rect = WindowRect();
    return TwipsY(rect.bottom - rect.top);
}

void Form::SetBounds(std::optional<POINT> position, std::optional<SIZE> size) {
    if (!window_) return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!position) flags |= SWP_NOMOVE;
    if (!size) flags |= SWP_NOSIZE;
    const POINT p = position.value_or(POINT{});
    const SIZE s = size.value_or(SIZE{});
    ::SetWindowPos(window_, nullptr, p.x, p.y, std::max(0L, s.cx), std::max(0L, s.cy), flags);
}

void Form::SetTop(float twips) {
    const RECT rect = WindowRect();
    SetBounds(POINT{rect.left, PixelsY(twips)}, std::nullopt);
}

void Form::SetHeight(float twips) {
    const RECT rect = WindowRect();
    SetBounds(std::nullopt, SIZE{rect.right - rect.left, PixelsY(twips)});
}

void Form::Move(float left, float top) { SetBounds(POINT{PixelsX(left), PixelsY(top)}, std::nullopt); }

void Form::KeepInsideWorkArea() {
    if (!window_) return;
    const RECT rect = WindowRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    const POINT inside{StartInsideArea(rect.left, rect.right - rect.left, area.left, area.right),
                       StartInsideArea(rect.top, rect.bottom - rect.top, area.top, area.bottom)};
    if (inside.x != rect.left || inside.y != rect.top) SetBounds(inside, std::nullopt);
}

void Form::RestoreNormalState() {
    if (window_ && (::IsIconic(window_) || ::IsZoomed(window_))) ::ShowWindow(window_, SW_RESTORE);
}

HBRUSH Form::BackgroundBrush() const noexcept {
    return backBrush_ && !highContrast_ ? backBrush_.get() : ::GetSysColorBrush(COLOR_BTNFACE);
}

// High contrast turned on or off, or the system colours changed, while the
// window is open: it is drawn again in the colours that now apply.
void Form::OnColorsChanged(bool systemColorsChanged) {
    const bool highContrast = HighContrastOn();
    if (!systemColorsChanged && highContrast == highContrast_) return;
    highContrast_ = highContrast;
    // Common controls keep colours of their own until told.
    if (systemColorsChanged)
        for (Control* control : controls_)
            if (control->window_) ::SendMessageW(control->window_, WM_SYSCOLORCHANGE, 0, 0);
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

Control* Form::FindControl(HWND window) const noexcept {
    for (Control* control : controls_)
        if (control->window_ == window) return control;
    return nullptr;
}

Control* Form::FindControl(int id) const noexcept {
    for (Control* control : controls_)
        if (control->id_ == id) return control;
    return nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    bool handled = false;
    GuardedCall([&] {
        result = form->HandleMessage(message, wParam, lParam);
        handled = true;
    });
    if (!handled && message != WM_NCDESTROY) return ::DefWindowProcW(window, message, wParam, lParam);
    return result;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    if (message == Application::ShowLastShownFormMessage()) {
        Application::ShowLastShownForm();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) control->OnCommand(HIWORD(wParam));
        } else if (HIWORD(wParam) == 0) {
            Menu* item = menuBar_.Find(LOWORD(wParam));
            if (item && item->Click) item->Click();
        }
        return 0;

    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
        }
        break;

    case WM_DRAWITEM:
        if (Control* control = FindControl(static_cast<int>(wParam))) {
            control->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;

    case WM_TIMER:
        // Another id is no Timer of this form's (the sweep's, TimerIds.h).
        if (Timer* timer = timers_.Find(wParam)) {
            if (raiseEvents_ && timer->Tick) timer->Tick();
            return 0;
        }
        break;

    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
        // Themed controls ask for the parent's background with WM_PRINTCLIENT.
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
        return 1;
    }

    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        OnColorsChanged(message == WM_SYSCOLORCHANGE);
        break;

    case WM_GETMINMAXINFO:
        if (!design_.heightDownToZero) break;
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = 0;
        return 0;

    case WM_SIZE:
        if (raiseEvents_) Form_Resize();
        return 0;

    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window, focus)) focusBeforeDeactivation_ = focus;
            const bool byAnotherForm = Application::IsFormWindow(reinterpret_cast<HWND>(lParam));
            if (raiseEvents_ && (byAnotherForm || design_.deactivate == DeactivateWhen::AnyWindowActivates))
                Form_Deactivate();
        } else if (!HIWORD(wParam)) {
            HWND focus = focusBeforeDeactivation_ && ::IsWindow(focusBeforeDeactivation_)
                             ? focusBeforeDeactivation_
                             : ::GetNextDlgTabItem(window, nullptr, FALSE);
            if (focus) ::SetFocus(focus);
        }
        return 0;

    case WM_SYSCOMMAND:
        // Windows refuses the caption drag and the keyboard's move of a
        // window locked against moving; the form refuses them itself too, so
        // that no host lets them through.
        if ((wParam & 0xFFF0) == SC_MOVE && LockedAgainstMoving()) return 0;
        break;

    case WM_CLOSE:
        Unload();
        return 0;

    case WM_ENDSESSION:
        // The question before it, WM_QUERYENDSESSION, gets the default yes.
        if (wParam) Application::EndSession();
        return 0;

    case WM_NCDESTROY:
        OnDestroyed();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kalvenor::forms
