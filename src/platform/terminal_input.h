#pragma once

#include <cstdio>

namespace qe2m4::platform {

// Waits until the user has typed something on input (or it has ended), without missing an
// interrupt that comes just before or during the wait. False when an interrupt came first.
bool WaitForInput(std::FILE* input);

}  // namespace qe2m4::platform
