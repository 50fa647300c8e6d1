#pragma once
// The program's life, in one place: the forms it has and the one shown last,
// the message loop, the hand-over from a second start, the end of a session
// and the end of the program when its last form unloads.

#include <windows.h>

namespace kalvenor::forms {

class Form;

// Shows the start-up form and runs the message loop until no form is loaded.
// Returns the program's exit code. Nothing is readied at start that the main
// window does not need: the trackbar class comes with the first slider, COM
// with the first picture.
int RunApplication(Form& startup);

class Application final {
public:
    Application() = delete;

    // True when the window belongs to a loaded form of this program.
    static bool IsFormWindow(HWND window) noexcept;
    static int LoadedFormCount() noexcept;

    // Sent to any form's window by a second start of the program
    // (SingleInstance.h): the form shown last is shown again with its Show,
    // which loads it anew when it has unloaded meanwhile (a window that was
    // sweeping shut comes back).
    static UINT ShowLastShownFormMessage() noexcept;
    static void ShowLastShownForm();

    // The session ends (logoff, shutdown, or an installer that replaces the
    // program): every form is destroyed at once, with no sweep and no Unload
    // event in any of them, so that nothing is stored.
    static void EndSession() noexcept;

    // What every form tells it (Form.cpp): made, gone, brought forward, and
    // its window destroyed; with the last one the program ends.
    static void Joined(Form& form);
    static void Left(Form& form) noexcept;
    static void Shown(Form& form) noexcept;
    static void Unloaded() noexcept;
};

}  // namespace kalvenor::forms
