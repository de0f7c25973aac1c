#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/console.h"
#include "cli/help_formatter.h"

namespace qe2m4::cli {
namespace {

constexpr const char* kProgramUsage =
    "usage: qe2m4 convert [--drive L=DIR]... [--system-dir DIR] [--yes] [--quiet]\n"
    "                     [--soil-readings FILE | --no-soil-readings] SOURCE DEST\n"
    "       qe2m4 batch [--drive L=DIR]... [--system-dir DIR] [--yes] [--jobs N] [--report FILE]\n"
    "                   [--soil-readings FILE | --no-soil-readings] [--quiet]\n"
    "                   [--list-encoding ENC] LIST | --tree SOURCE_ROOT DEST_ROOT\n"
    "       qe2m4 --help | --version\n";

constexpr const char* kProgramHint = "Run 'qe2m4 COMMAND --help' for the options of a command.";

// The commands and their options, read into the given variables by CLI11.
struct Program {
  CLI::App app{"", "qe2m4"};
  bool version = false;
  ConvertOptions convert;
  CLI::App* convert_command = nullptr;
  BatchOptions batch;
  CLI::App* batch_command = nullptr;

  // The usage lines of the command the arguments named, or of the program, with a hint.
  std::string Usage() const {
    if (convert_command->parsed()) {
      return std::string(kConvertUsage) + "Run 'qe2m4 convert --help' for more.\n";
    }
    if (batch_command->parsed()) {
      return std::string(kBatchUsage) + "Run 'qe2m4 batch --help' for more.\n";
    }
    return std::string(kProgramUsage) + kProgramHint + "\n";
  }

  Program() {
    DescribeCommand(app, kProgramUsage,
                    "Converts borings of Holtvar_Qe into KirvanM4 files, as the window does.",
                    kProgramHint);
    app.add_flag("--version", version, "print the version and end");
    app.require_subcommand(0, 1);
    convert_command = &AddConvertCommand(app, convert);
    batch_command = &AddBatchCommand(app, batch);
  }
};

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  Program program;
  if (arguments.empty()) {
    return UsageError{"no command given", program.Usage()};
  }
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    program.app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return ShowHelp{program.app.help()};
  } catch (const CLI::ParseError& error) {
    if (program.app.get_subcommands().empty() && !arguments.front().starts_with("-")) {
      return UsageError{"unknown command: " + arguments.front(), program.Usage()};
    }
    return UsageError{error.what(), program.Usage()};
  }
  if (program.version) {
    return ShowVersion{};
  }
  if (program.convert_command->parsed()) {
    return program.convert;
  }
  if (program.batch_command->parsed()) {
    return program.batch;
  }
  return UsageError{"no command given", program.Usage()};
}

int RunCommandLine(const std::vector<std::string>& arguments, std::FILE* input, std::FILE* output,
                   std::FILE* messages) {
  const Command command = ParseCommandLine(arguments);
  if (const auto* help = std::get_if<ShowHelp>(&command)) {
    WriteText(output, help->text);
    return kExitConverted;
  }
  if (std::holds_alternative<ShowVersion>(command)) {
    WriteText(output, std::string("qe2m4 ") + QE2M4_VERSION + "\n");
    return kExitConverted;
  }
  if (const auto* error = std::get_if<UsageError>(&command)) {
    WriteText(messages, "qe2m4: " + error->reason + "\n" + error->usage);
    return kExitUsage;
  }
  if (const auto* batch = std::get_if<BatchOptions>(&command)) {
    return RunBatchCommand(*batch, output, messages);
  }
  return RunConvert(std::get<ConvertOptions>(command), input, output, messages);
}

}  // namespace qe2m4::cli
