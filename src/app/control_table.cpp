#include "app/control_table.h"

#include <algorithm>

namespace qe2m4::app {

std::array<const Control*, kControls.size()> InTabOrder() {
  std::array<const Control*, kControls.size()> order{};
  std::transform(kControls.begin(), kControls.end(), order.begin(),
                 [](const Control& control) { return &control; });
  std::sort(order.begin(), order.end(),
            [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
  return order;
}

}  // namespace qe2m4::app
