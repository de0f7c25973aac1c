#pragma once

#include <string>

namespace qe2m4::cli {

// The commands whose usage and help the program shows.
enum class HelpTopic { kProgram, kConvert, kBatch };

// The usage lines of a topic, in the user's language (each ends with a line end).
std::string UsageLines(HelpTopic topic);

// The line after the usage lines of a usage error: where to read more.
std::string UsageHint(HelpTopic topic);

// The whole help of a topic in the user's language, as this system's users write commands
// (drive letters and their quoting, "/?" on Windows, how a run is interrupted).
std::string HelpText(HelpTopic topic);

}  // namespace qe2m4::cli
