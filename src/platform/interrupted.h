#pragma once

#include <exception>

#include "platform/interrupt.h"

namespace qe2m4::platform {

// Thrown between two files when an interrupt has come: the run unwinds (its live temporary
// files are removed on the way) and ends with a short message.
class Interrupted : public std::exception {
 public:
  const char* what() const noexcept override { return "interrupted"; }
};

inline void StopIfInterrupted() {
  if (InterruptRequested()) {
    throw Interrupted();
  }
}

}  // namespace qe2m4::platform
