#include "forms/win32/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/win32/Screen.h"
#include "forms/win32/SystemAnsiCode.h"
#include "forms/core/RuntimeError.h"
#include "forms/core/Text.h"
#include "forms/win32/Fonts.h"
#include "forms/win32/Form.h"
#include "forms/win32/ErrorReport.h"
#include "forms/win32/Picture.h"

namespace kalvenor::forms {

// --- Control ---------------------------------------------------------------

Control::Control(Form& form, const Bounds& bounds, int tabIndex) : form_(form), bounds_(bounds), tabIndex_(tabIndex) {
    form_.controls_.push_back(this);
}

Control::Control(Frame& container, const Bounds& bounds, int tabIndex)
    : form_(container.Owner()), container_(&container), bounds_(bounds), tabIndex_(tabIndex) {
    form_.controls_.push_back(this);
}

// The control leaves its form before its window goes: what the window's
// destruction sends the form (focus loss, colour requests) must not reach an
// object that is half destroyed.
Control::~Control() {
    auto& controls = form_.controls_;
    controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
    if (window_) ::DestroyWindow(window_);
}

HWND Control::CreateChild(const wchar_t* windowClass, std::wstring_view text, DWORD style, DWORD exStyle) {
    int left = bounds_.left;
    int top = bounds_.top;
    if (container_) {
        const Control& frame = *container_;
        left += frame.bounds_.left;
        top += frame.bounds_.top;
    }
    // The edges are converted, not the size: a control that ends where
    // another begins, or inside its form, does so in pixels too.
    const int x = PixelsX(left);
    const int y = PixelsY(top);
    const int width = PixelsX(left + bounds_.width) - x;
    const int height = PixelsY(top + bounds_.height) - y;
    const std::wstring caption(text);
    window_ = ::CreateWindowExW(exStyle, windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                height, form_.hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                ::GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw WindowNotCreated(TextFromWide(windowClass), ::GetLastError());
    return window_;
}

void Control::ApplyFont(const FontDesign* font) {
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFont(font)), FALSE);
}

namespace {

// Controls that show the form's background through their own, with the text
// colour that goes with it.
HBRUSH TransparentOn(Form& form, HDC dc) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    return form.BackgroundBrush();
}

}  // namespace

// --- TextBox ---------------------------------------------------------------

TextBox::TextBox(Form& form, const Design& design) : Control(form, design.bounds, design.tabIndex), design_(design) {}

void TextBox::Create() {
    DWORD style = WS_TABSTOP | ES_LEFT | ES_NOHIDESEL;
    if (design_.multiLine) style |= ES_MULTILINE | ES_AUTOVSCROLL;
    const bool horizontal = design_.scrollBars == ScrollBars::Horizontal || design_.scrollBars == ScrollBars::Both;
    const bool vertical = design_.scrollBars == ScrollBars::Vertical || design_.scrollBars == ScrollBars::Both;
    if (horizontal || !design_.multiLine) style |= ES_AUTOHSCROLL;
    if (horizontal) style |= WS_HSCROLL;
    if (vertical) style |= WS_VSCROLL;
    HWND window = CreateChild(L"EDIT", L"", style, WS_EX_CLIENTEDGE);
    ApplyFont(nullptr);
    // No limit but memory: long texts are pasted and translated whole.
    ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
    if (design_.backColor) backBrush_.reset(::CreateSolidBrush(*design_.backColor));
    ::SetWindowSubclass(window, &TextBox::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TextBox::OnDestroyed() { backBrush_.reset(); }

HBRUSH TextBox::OnColor(HDC dc) {
    if (!backBrush_ || Owner().HighContrast()) return nullptr;
    ::SetBkColor(dc, *design_.backColor);
    return backBrush_.get();
}

std::wstring TextBox::Text() const {
    if (!hWnd()) return {};
    const int length = ::GetWindowTextLengthW(hWnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hWnd(), text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TextBox::SetText(std::wstring_view text) {
    if (!hWnd()) return;
    const std::wstring copy(text);
    ::SetWindowTextW(hWnd(), copy.c_str());
}

LRESULT CALLBACK TextBox::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    switch (message) {
    case WM_CHAR: {
        LRESULT result = 0;
        GuardedCall([&] { result = reinterpret_cast<TextBox*>(self)->OnChar(window, wParam, lParam); });
        return result;
    }
    case WM_KEYDOWN:
        // A multi-line edit in a window with dialog navigation takes Escape
        // as "close the dialog" and posts WM_CLOSE to its form; in a text box
        // Escape does nothing (its character still goes to KeyPress).
        if (wParam == VK_ESCAPE) return 0;
        break;
    case WM_GETDLGCODE: {
        // Tab moves to the next control rather than reaching the box.
        LRESULT code = ::DefSubclassProc(window, message, wParam, lParam);
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
        return code;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, &TextBox::SubclassProc, 0);
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TextBox::OnChar(HWND window, WPARAM character, LPARAM keyData) {
    if (!KeyPress) return ::DefSubclassProc(window, WM_CHAR, character, keyData);
    const std::int16_t typed = SystemAnsiCode(static_cast<char16_t>(character));
    std::int16_t KeyAscii = typed;
    KeyPress(KeyAscii);
    if (KeyAscii == 0) return 0;
    const WPARAM reaching = KeyAscii == typed ? character : SystemAnsiChar(KeyAscii);
    return ::DefSubclassProc(window, WM_CHAR, reaching, keyData);
}

// --- CommandButton -----------------------------------------------------------

CommandButton::CommandButton(Form& form, const Design& design)
    : Control(form, design.bounds, design.tabIndex), design_(design) {}

void CommandButton::Create() {
    CreateChild(L"BUTTON", design_.caption, WS_TABSTOP | BS_PUSHBUTTON);
    ApplyFont(nullptr);
}

void CommandButton::OnCommand(WORD notification) {
    if (notification == BN_CLICKED && Click) Click();
}

// --- Label -------------------------------------------------------------------

Label::Label(Form& form, const Design& design) : Control(form, design.bounds, design.tabIndex), design_(design) {}

void Label::Create() {
    CreateChild(L"STATIC", design_.caption, SS_LEFTNOWORDWRAP | SS_NOPREFIX);
    ApplyFont(design_.font);
}

HBRUSH Label::OnColor(HDC dc) {
    HBRUSH brush = TransparentOn(Owner(), dc);
    if (design_.foreColor && !Owner().HighContrast()) ::SetTextColor(dc, *design_.foreColor);
    return brush;
}

// --- CheckBox ----------------------------------------------------------------

CheckBox::CheckBox(Form& form, const Design& design) : Control(form, design.bounds, design.tabIndex), design_(design) {}

void CheckBox::Create() {
    CreateChild(L"BUTTON", design_.caption, WS_TABSTOP | BS_AUTOCHECKBOX);
    ApplyFont(design_.font);
}

HBRUSH CheckBox::OnColor(HDC dc) { return TransparentOn(Owner(), dc); }

std::int16_t CheckBox::Value() const {
    return hWnd() && ::SendMessageW(hWnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(std::int16_t value) {
    if (hWnd()) ::SendMessageW(hWnd(), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

// --- Frame -------------------------------------------------------------------

Frame::Frame(Form& form, const Design& design) : Control(form, design.bounds, design.tabIndex), design_(design) {}

void Frame::Create() {
    // Painted after what it holds, so it must not cover the controls inside it.
    CreateChild(L"BUTTON", design_.caption, BS_GROUPBOX, WS_EX_TRANSPARENT);
    ApplyFont(nullptr);
}

HBRUSH Frame::OnColor(HDC dc) { return TransparentOn(Owner(), dc); }

// --- Slider ------------------------------------------------------------------

namespace {

// Only the options window has sliders: their class is readied when the first
// one is made, not at start-up.
void ReadyTrackbarClass() {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_BAR_CLASSES;
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(ready);
}

}  // namespace

Slider::Slider(Frame& container, const Design& design)
    : Control(container, design.bounds, design.tabIndex), design_(design) {}

void Slider::Create() {
    ReadyTrackbarClass();
    HWND window = CreateChild(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM);
    ::SendMessageW(window, TBM_SETRANGEMIN, FALSE, design_.min);
    ::SendMessageW(window, TBM_SETRANGEMAX, TRUE, design_.max);
    ::SendMessageW(window, TBM_SETLINESIZE, 0, design_.smallChange);
    ::SendMessageW(window, TBM_SETPAGESIZE, 0, design_.largeChange);
    ::SendMessageW(window, TBM_SETTICFREQ, design_.tickFrequency, 0);
}

HBRUSH Slider::OnColor(HDC dc) { return TransparentOn(Owner(), dc); }

int Slider::Value() const {
    return hWnd() ? static_cast<int>(::SendMessageW(hWnd(), TBM_GETPOS, 0, 0)) : design_.min;
}

void Slider::SetValue(int value) {
    if (hWnd()) ::SendMessageW(hWnd(), TBM_SETPOS, TRUE, std::clamp(value, design_.min, design_.max));
}

// --- PictureBox --------------------------------------------------------------

PictureBox::PictureBox(Form& form, const Design& design)
    : Control(form, design.bounds, design.tabIndex), design_(design) {}

void PictureBox::Create() {
    CreateChild(L"STATIC", L"", SS_OWNERDRAW, WS_EX_CLIENTEDGE);
    picture_ = LoadJpegResource(design_.picture);
}

void PictureBox::OnDestroyed() { picture_.reset(); }

void PictureBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    if (!picture_) return;
    BITMAP size{};
    ::GetObjectW(picture_.get(), sizeof(size), &size);
    UniqueMemoryDc memory(::CreateCompatibleDC(item.hDC));
    SelectedObject selected(memory.get(), picture_.get());
    ::BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace kalvenor::forms
