#pragma once
// Run-time errors of the program. They are raised as C++ exceptions and caught
// at the boundary of every Win32 callback, where the error report takes them.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvenor::forms {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::u16string description);

    int Number() const noexcept { return number_; }
    const std::u16string& Description() const noexcept { return description_; }

    // "Se ha producido el error '6' en tiempo de ejecución:\n\nDesbordamiento"
    std::u16string Message() const;

private:
    int number_;
    std::u16string description_;
};

inline constexpr int kErrorOverflow = 6;
inline constexpr int kErrorOutOfMemory = 7;
inline constexpr int kErrorTypeMismatch = 13;
inline constexpr int kErrorInternal = 51;
inline constexpr int kErrorWindowNotCreated = 52;

RuntimeError Overflow();
RuntimeError TypeMismatch();
RuntimeError OutOfMemory();
RuntimeError InternalError();
// The platform refused to create a window of that class, with its error code.
RuntimeError WindowNotCreated(std::u16string_view windowClass, unsigned long systemError);

}  // namespace kalvenor::forms
