#pragma once

#include <string>

namespace qe2m4::platform {
class Error;
}

namespace qe2m4::app {

// The message a failed run shows: the run-error line, what failed in the user's words, the
// file's path and the system's reason, one per line (lines without content are left out).
std::u16string RunErrorMessage(const platform::Error& error);

}  // namespace qe2m4::app
