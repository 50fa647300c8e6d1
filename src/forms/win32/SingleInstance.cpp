#include "forms/win32/SingleInstance.h"

#include <string>

#include "forms/win32/Form.h"

namespace kalvenor::forms {

namespace {

// How long a second start waits for the running copy's first window, and
// then for its answer.
constexpr DWORD kWaitForRunningCopyMs = 5000;
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

bool SingleInstance::HandOverToRunningCopy() {
    for (DWORD waited = 0; waited <= kWaitForRunningCopyMs; waited += kPollMs) {
        if (TakeOver()) return false;
        if (HWND running = ::FindWindowW(Form::kClassName, nullptr)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(running, &process);
            // The running copy may take the foreground from this one.
            ::AllowSetForegroundWindow(process);
            DWORD_PTR result = 0;
            // No answer: the window went before it read the request.
            if (::SendMessageTimeoutW(running, Form::BringForwardMessage(), 0, 0, SMTO_ABORTIFHUNG,
                                      kWaitForRunningCopyMs, &result))
                return true;
        }
        ::Sleep(kPollMs);
    }
    return true;
}

}  // namespace kalvenor::forms
