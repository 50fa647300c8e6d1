#pragma once
// The application object's facts that portable code needs.

#include <string_view>

namespace kalvenor::forms {

// The application title, which is also the product name and the settings file's name.
constexpr std::u16string_view TituloAplicacion() { return u"Kalvenor"; }

}  // namespace kalvenor::forms
