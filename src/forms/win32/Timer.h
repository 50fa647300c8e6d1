#pragma once
// A form's Timer: it ticks every interval while its form is loaded. Its id on
// the form's window is fixed when it is made (forms/core/TimerIds.h), so a
// Timer made on a loaded form starts at once, and one that never started
// stops nothing when it goes.

#include <windows.h>

#include <functional>
#include <vector>

#include "forms/core/TimerIds.h"

namespace kalvenor::forms {

class Form;

class Timer {
public:
    struct Design {
        unsigned interval = 0;  // milliseconds
        bool enabled = true;
    };
    Timer(Form& form, const Design& design);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> Tick;

    UINT_PTR Id() const noexcept { return id_; }
    // On the form's window, when the form loads (or at once, made on a loaded
    // form). A timer that is not enabled, or has no interval, stays stopped.
    void Start(HWND window) noexcept;

private:
    Form& form_;
    Design design_;
    UINT_PTR id_;
    HWND startedOn_ = nullptr;  // null: not started on any window
};

// A form's Timers, numbered in the order they were made.
class FormTimers {
public:
    UINT_PTR Add(Timer& timer);
    void Remove(Timer& timer) noexcept;
    void StartAll(HWND window) noexcept;
    Timer* Find(UINT_PTR id) const noexcept;

private:
    std::vector<Timer*> timers_;
    UINT_PTR nextId_ = IdOf(TimerId::FirstTimer);
};

}  // namespace kalvenor::forms
