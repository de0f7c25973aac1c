#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace qe2m4::app {

// The message a failed run shows: the run-error line, what failed in the user's words, the
// file's path and the reason, one per line (lines without content are left out). The reason is
// the Japanese text of a common cause, or else the system's own text.
std::u16string RunErrorMessage(const platform::Error& error);
// The message of a run that failed otherwise: out of memory, or an unexpected fault.
std::u16string RunErrorMessage(const std::exception& error);

// The Japanese text of a common cause; empty for kUnknown.
std::u16string_view CauseText(platform::ErrorCause cause);

}  // namespace qe2m4::app
