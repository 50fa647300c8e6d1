#pragma once
// One copy of the program per user session. A later start hands over to the
// running copy, which shows its window again, and ends without loading a form
// or touching the settings; when the running copy has ended meanwhile, the
// later start runs as the first.

#include <string_view>

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

class SingleInstance {
public:
    explicit SingleInstance(std::wstring_view name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy is to run: no other was running, or the one that
    // was has ended while HandOverToRunningCopy waited.
    bool IsFirst() const noexcept { return first_; }
    // Asks the running copy, once, to show the form it showed last; the whole
    // hand-over ends within five seconds. A copy that is still starting gets
    // what is left of them to show its first window; one that does not answer
    // in time has the request in its queue, and this one ends all the same. A
    // copy that ends instead (its window gone at the end of its closing sweep)
    // leaves this one to run: false then, and IsFirst() is true.
    bool HandOverToRunningCopy();

private:
    bool TakeOver();

    UniqueKernelObject mutex_;
    bool first_ = true;
};

}  // namespace kalvenor::forms
