#pragma once
// One copy of the program per user session. A later start hands over to the
// running copy, which brings its window forward, and ends without loading a
// form or touching the settings.

#include <string_view>

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

class SingleInstance {
public:
    explicit SingleInstance(std::wstring_view name);

    bool IsFirst() const noexcept { return first_; }
    // Asks the running copy to bring forward the form it showed last. A copy
    // that is still starting gets a few seconds to show its first window.
    void ActivateRunningCopy() const;

private:
    UniqueKernelObject mutex_;
    bool first_ = true;
};

}  // namespace kalvenor::forms
