#include "forms/win32/Timer.h"

#include <algorithm>

#include "forms/win32/Form.h"

namespace kalvenor::forms {

Timer::Timer(Form& form, const Design& design) : form_(form), design_(design), id_(form.Timers().Add(*this)) {
    if (form.IsLoaded()) Start(form.hWnd());
}

// Only a timer that runs on the form's window now has anything to stop.
Timer::~Timer() {
    if (startedOn_ && startedOn_ == form_.hWnd()) ::KillTimer(startedOn_, id_);
    form_.Timers().Remove(*this);
}

void Timer::Start(HWND window) noexcept {
    if (!design_.enabled || design_.interval == 0) return;
    if (::SetTimer(window, id_, design_.interval, nullptr)) startedOn_ = window;
}

UINT_PTR FormTimers::Add(Timer& timer) {
    timers_.push_back(&timer);
    return nextId_++;
}

void FormTimers::Remove(Timer& timer) noexcept { std::erase(timers_, &timer); }

void FormTimers::StartAll(HWND window) noexcept {
    for (Timer* timer : timers_) timer->Start(window);
}

Timer* FormTimers::Find(UINT_PTR id) const noexcept {
    const auto found = std::find_if(timers_.begin(), timers_.end(), [id](const Timer* t) { return t->Id() == id; });
    return found != timers_.end() ? *found : nullptr;
}

}  // namespace kalvenor::forms
