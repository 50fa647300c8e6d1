#include "forms/core/WorkArea.h"

#include <algorithm>

namespace kalvenor::forms {

int StartInsideArea(int inicio, int largo, int desde, int hasta) {
    return std::max(desde, std::min(inicio, hasta - largo));
}

}  // namespace kalvenor::forms
