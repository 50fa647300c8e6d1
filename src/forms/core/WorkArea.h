#pragma once
// Keeping a window whole on the work area of its monitor. Portable.

namespace kalvenor::forms {

// Where a window that starts at `inicio` and is `largo` long along one axis
// starts once kept inside the work area from `desde` to `hasta` on that axis:
// where it is when it fits, else moved back just inside the edge it crosses.
// A window longer than the area starts at `desde`.
int StartInsideArea(int inicio, int largo, int desde, int hasta);

}  // namespace kalvenor::forms
