#include "forms/core/AreaDeTrabajo.h"

#include <algorithm>

namespace kalvenor::forms {

int InicioDentroDelArea(int inicio, int largo, int desde, int hasta) {
    return std::max(desde, std::min(inicio, hasta - largo));
}

}  // namespace kalvenor::forms
