#pragma once

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "cli/batch_command.h"
#include "cli/convert_command.h"

namespace qe2m4::cli {

// The help asked for: the text to print.
struct ShowHelp {
  std::string text;
};
struct ShowVersion {};
// The arguments do not form a command: what is wrong with them, and the usage to show.
struct UsageError {
  std::string reason;
  std::string usage;
};

using Command = std::variant<ConvertOptions, BatchOptions, ShowHelp, ShowVersion, UsageError>;

// Reads the arguments after the program name.
Command ParseCommandLine(const std::vector<std::string>& arguments);

// The whole program after the arguments are known: reads them, runs the command, prints help,
// the version or what is wrong with the usage. Returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, std::FILE* input, std::FILE* output,
                   std::FILE* messages);

}  // namespace qe2m4::cli
