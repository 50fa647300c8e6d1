#pragma once
// Every timer id on a form's window. The sweep's timer and the form's own
// Timer controls run on the same window, so their ids come from this one
// list and cannot meet. Portable: the sweep uses it without <windows.h>.

#include <cstdint>

namespace kalvenor::forms {

enum class TimerId : std::uintptr_t {
    Sweep = 0,       // the sweep's 1 ms timer, on the window it sweeps
    FirstTimer = 1,  // a form's Timer controls: this one and up, in the order they were made
};

constexpr std::uintptr_t IdOf(TimerId id) noexcept { return static_cast<std::uintptr_t>(id); }

}  // namespace kalvenor::forms
