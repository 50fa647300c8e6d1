#include "forms/win32/Application.h"

#include <algorithm>
#include <vector>

#include "forms/win32/Form.h"
#include "forms/win32/ErrorReport.h"

namespace kalvenor::forms {

namespace {

std::vector<Form*>& AllForms() {
    static std::vector<Form*> forms;
    return forms;
}

// The form that Show brought forward last; null before the first Show.
Form*& LastShownForm() {
    static Form* form = nullptr;
    return form;
}

// Keyboard navigation between controls, as in a dialog, then the usual dispatch.
void Dispatch(MSG& message) {
    HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Application::IsFormWindow(root) && ::IsDialogMessageW(root, &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunApplication(Form& startup) {
    GuardedCall([&] { startup.Show(); });
    if (Application::LoadedFormCount() == 0) return 0;
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got > 0) {
            Dispatch(message);
            continue;
        }
        // A form can load again after the last one unloaded, within one
        // dispatch (a show request of another copy reloads a window that was
        // sweeping shut): the quit asked for meanwhile is void then.
        if (got < 0 || Application::LoadedFormCount() == 0) break;
    }
    return static_cast<int>(message.wParam);
}

void Application::Joined(Form& form) { AllForms().push_back(&form); }

void Application::Left(Form& form) noexcept {
    std::erase(AllForms(), &form);
    if (LastShownForm() == &form) LastShownForm() = nullptr;
}

void Application::Shown(Form& form) noexcept { LastShownForm() = &form; }

void Application::Unloaded() noexcept {
    if (LoadedFormCount() == 0) ::PostQuitMessage(0);
}

bool Application::IsFormWindow(HWND window) noexcept {
    if (!window) return false;
    const auto& forms = AllForms();
    return std::any_of(forms.begin(), forms.end(), [window](const Form* f) { return f->hWnd() == window; });
}

int Application::LoadedFormCount() noexcept {
    const auto& forms = AllForms();
    return static_cast<int>(std::count_if(forms.begin(), forms.end(), [](const Form* f) { return f->IsLoaded(); }));
}

UINT Application::ShowLastShownFormMessage() noexcept {
    // The registered name is the one earlier versions registered ("bring
    // forward", before the form shown last came back loaded anew): it stays,
    // so that copies of any two versions understand each other.
    static const UINT message = ::RegisterWindowMessageW(L"KalvenorForm.BringForward");
    return message;
}

void Application::ShowLastShownForm() {
    Form* form = LastShownForm();
    if (!form || !form->IsLoaded()) {
        const auto& forms = AllForms();
        const auto loaded = std::find_if(forms.begin(), forms.end(), [](const Form* f) { return f->IsLoaded(); });
        form = loaded != forms.end() ? *loaded : nullptr;
    }
    if (!form) return;
    if (::IsIconic(form->hWnd())) ::ShowWindow(form->hWnd(), SW_RESTORE);
    form->Show();
}

void Application::EndSession() noexcept {
    // Not even a form that another one's going away activates raises one.
    for (Form* form : AllForms()) form->StopEvents();
    for (Form* form : AllForms()) form->Destroy();
}

}  // namespace kalvenor::forms
