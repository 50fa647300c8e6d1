#pragma once
// Pictures stored in the program's resources.

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

// Decodes a JPEG stored as RCDATA into a 32-bit bitmap. An empty bitmap when
// the resource is missing or cannot be decoded: a picture never stops a window.
UniqueBitmap LoadJpegResource(int resourceId);

}  // namespace kalvenor::forms
