#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "catalogue/catalogue.h"
#include "cli/console.h"
#include "cli/help_texts.h"
#include "cli/usage_error_text.h"

namespace qe2m4::cli {
namespace {

using catalogue::Format;
using catalogue::Text;
using catalogue::TextId;

// The commands and their options, read into the given variables by CLI11. The help and the
// usage errors are the program's own, in the user's language, not the parser's.
struct Program {
  CLI::App app{"", "qe2m4"};
  bool version = false;
  ConvertOptions convert;
  CLI::App* convert_command = nullptr;
  BatchOptions batch;
  CLI::App* batch_command = nullptr;

  // The command the arguments named, if any.
  HelpTopic Topic() const {
    if (convert_command->parsed()) {
      return HelpTopic::kConvert;
    }
    if (batch_command->parsed()) {
      return HelpTopic::kBatch;
    }
    return HelpTopic::kProgram;
  }

  UsageError Error(std::string reason) const {
    const HelpTopic topic = Topic();
    return UsageError{std::move(reason), UsageLines(topic) + UsageHint(topic)};
  }

  Program() {
    app.set_help_flag("-h,--help");
    app.add_flag("--version", version);
    app.require_subcommand(0, 1);
    convert_command = &AddConvertCommand(app, convert);
    batch_command = &AddBatchCommand(app, batch);
  }
};

// Windows users ask for help with "/?", as of every program of the system.
std::vector<std::string> WithHelpSpelledAsHere(const std::vector<std::string>& arguments) {
  std::vector<std::string> spelled = arguments;
#ifdef _WIN32
  for (std::string& argument : spelled) {
    if (argument == "--") {
      break;
    }
    if (argument == "/?") {
      argument = "--help";
    }
  }
#endif
  return spelled;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  Program program;
  if (arguments.empty()) {
    return program.Error(std::string(Text(TextId::kCliErrorNoCommand)));
  }
  const std::vector<std::string> spelled = WithHelpSpelledAsHere(arguments);
  std::vector<std::string> reversed(spelled.rbegin(), spelled.rend());
  try {
    program.app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return ShowHelp{HelpText(program.Topic())};
  } catch (const CLI::ExtrasError&) {
    // Only the program itself takes no extras: its first argument is no command it knows.
    const std::string& first = arguments.front();
    return program.Error(first.size() > 1 && first.starts_with('-')
                             ? Format(TextId::kCliErrorUnknownOption, {first})
                             : Format(TextId::kCliErrorUnknownCommand, {first}));
  } catch (const CLI::ParseError& error) {
    return program.Error(UsageErrorReason(error, program.app));
  }
  if (program.version) {
    return ShowVersion{};
  }
  if (program.convert_command->parsed()) {
    if (auto reason = ConvertUsageProblem(*program.convert_command)) {
      return program.Error(std::move(*reason));
    }
    return program.convert;
  }
  if (program.batch_command->parsed()) {
    if (auto reason = BatchUsageProblem(*program.batch_command)) {
      return program.Error(std::move(*reason));
    }
    return program.batch;
  }
  return program.Error(std::string(Text(TextId::kCliErrorNoCommand)));
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
    WriteText(messages, Format(TextId::kCliError, {error->reason}) + "\n" + error->usage);
    return kExitUsage;
  }
  if (const auto* batch = std::get_if<BatchOptions>(&command)) {
    return RunBatchCommand(*batch, output, messages);
  }
  return RunConvert(std::get<ConvertOptions>(command), input, output, messages);
}

}  // namespace qe2m4::cli
