#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "cli/convert_command.h"

// qe2m4: the command line over the same conversion run as the window.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const qe2m4::cli::Command command = qe2m4::cli::ParseCommandLine(arguments);
  if (std::holds_alternative<qe2m4::cli::ShowHelp>(command)) {
    std::fputs(qe2m4::cli::UsageText(), stdout);
    return qe2m4::cli::kExitConverted;
  }
  if (std::holds_alternative<qe2m4::cli::ShowVersion>(command)) {
    std::printf("qe2m4 %s\n", QE2M4_VERSION);
    return qe2m4::cli::kExitConverted;
  }
  if (const auto* error = std::get_if<qe2m4::cli::UsageError>(&command)) {
    std::fprintf(stderr, "qe2m4: %s\n%s", error->reason.c_str(), qe2m4::cli::UsageText());
    return qe2m4::cli::kExitUsage;
  }
  return qe2m4::cli::RunConvert(std::get<qe2m4::cli::ConvertOptions>(command), stdin, stdout,
                                stderr);
}
