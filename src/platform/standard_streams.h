#pragma once

namespace qe2m4::platform {

// Makes sure standard input, output and error are open before the program opens any file. A
// stream the caller closed is opened on the null device, read-only: otherwise the next file
// opened (an output, a lock) would take its place and receive what is printed, and writing it
// fails as it would have, so that a closed standard output is still reported.
void ReserveStandardStreams();

}  // namespace qe2m4::platform
