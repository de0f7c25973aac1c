#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console.h"

// qe2m4: the command line over the same conversion run as the window.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments = qe2m4::cli::CommandLineArguments(argc, argv);
  return qe2m4::cli::RunCommandLine(arguments, stdin, stdout, stderr);
}
