#pragma once
// The application title, which portable code needs too.

#include <string_view>

namespace kalvenor::forms {

// The application title, which is also the product name and the settings file's name.
constexpr std::u16string_view AppTitle() { return u"Kalvenor"; }

}  // namespace kalvenor::forms
