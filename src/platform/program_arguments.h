#pragma once

#include <string>
#include <vector>

namespace qe2m4::platform {

// The running program's arguments after its name, as UTF-8, for every front end: on Windows
// taken from the system's UTF-16 command line, so that any name survives whatever the code
// page (argc and argv serve only when the system gives none); elsewhere argv as it is.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace qe2m4::platform
