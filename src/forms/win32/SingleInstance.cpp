#include "forms/win32/SingleInstance.h"

#include <algorithm>
#include <string>

#include "forms/win32/Application.h"
#include "forms/win32/Form.h"

namespace kalvenor::forms {

namespace {

// The whole hand-over, from the first look for the running copy's window to
// its answer, ends within this time.
constexpr ULONGLONG kHandOverMs = 5000;
constexpr DWORD kPollMs = 50;

}  // namespace

// The running copy owns the mutex; the system hands it to a waiting copy
// when that one ends, however it ends.
SingleInstance::SingleInstance(std::wstring_view name) {
    const std::wstring mutexName = L"Local\\" + std::wstring(name) + L".SingleInstance";
    mutex_.reset(::CreateMutexW(nullptr, TRUE, mutexName.c_str()));
    // A mutex that could not be made at all lets this copy run, rather than
    // leave the user with no program.
    first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
    if (first_ && mutex_) ::ReleaseMutex(mutex_.get());
}

bool SingleInstance::TakeOver() {
    const DWORD state = ::WaitForSingleObject(mutex_.get(), 0);
    first_ = state == WAIT_OBJECT_0 || state == WAIT_ABANDONED;
    return first_;
}

// The request goes to the running copy's window once. Answered, or not
// answered in time (it then stays in that window's queue, and the copy handles
// it when it gets to it), the hand-over is done. Only when the window it went
// to is gone (a closing sweep ended) is it sent again, to the copy's next
// window; meanwhile the copy may end, and then this one runs. Each wait, for a
// window or for an answer, gets only what is left of the one deadline.
bool SingleInstance::HandOverToRunningCopy() {
    const ULONGLONG deadline = ::GetTickCount64() + kHandOverMs;
    for (;;) {
        if (TakeOver()) return false;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return true;
        const auto remaining = static_cast<DWORD>(deadline - now);
        if (HWND running = ::FindWindowW(Form::kClassName, nullptr)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(running, &process);
            // The running copy may take the foreground from this one.
            ::AllowSetForegroundWindow(process);
            DWORD_PTR result = 0;
            const bool answered = ::SendMessageTimeoutW(running, Application::ShowLastShownFormMessage(), 0, 0,
                                                        SMTO_NORMAL, remaining, &result) != 0;
            if (answered || ::IsWindow(running)) return true;
        }
        ::Sleep(std::min<DWORD>(kPollMs, remaining));
    }
}

}  // namespace kalvenor::forms
