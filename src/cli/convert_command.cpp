#include "cli/convert_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <string>

#include "app/conversion_run.h"
#include "app/texts.h"
#include "catalogue/catalogue.h"
#include "cli/console.h"
#include "cli/program_message.h"
#include "cli/terminal_user_interface.h"
#include "cli/usage_error_text.h"
#include "platform/file_system.h"
#include "platform/interrupt.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

void Print(std::FILE* stream, std::u16string_view line) {
  WriteText(stream, platform::ToUtf8(line) + "\n");
}

void PrintSummary(std::FILE* output, const ConversionReport& report) {
  std::size_t width = 0;
  for (const WrittenFile& file : report.files) {
    width = std::max(width, file.name.size());
  }
  for (const WrittenFile& file : report.files) {
    std::u16string line = file.name + std::u16string(width - file.name.size() + 1, u' ');
    const std::u16string count = platform::FromUtf8(std::to_string(file.lines));
    line += std::u16string(count.size() < 6 ? 6 - count.size() : 0, u' ') + count + u' ';
    line += app::texts::kSummaryLines;
    Print(output, line);
  }
  if (!report.read_layers.empty()) {
    Print(output, app::texts::kSummaryRead);
    for (const ReadLayer& layer : report.read_layers) {
      Print(output, u"  " + platform::FromUtf8(std::to_string(layer.record)) + u": " +
                        layer.description + u" → " + layer.reading);
    }
  }
  if (!report.unmatched_layers.empty()) {
    Print(output, app::texts::kSummaryUnmatched);
    for (const UnmatchedLayer& layer : report.unmatched_layers) {
      Print(output,
            u"  " + platform::FromUtf8(std::to_string(layer.record)) + u": " + layer.description);
    }
  }
  if (!report.not_written.empty()) {
    Print(output, app::texts::kSummaryNotWritten);
    for (const NotWrittenFile& file : report.not_written) {
      const std::u16string_view why = file.reason == NotWrittenFile::Reason::kPatdatIniIgnored
                                          ? app::texts::kNotWrittenPatdatIniIgnored
                                          : app::texts::kNotWrittenNoPatdatIni;
      std::u16string line = u"  " + file.name + u": " + std::u16string(why);
      if (!file.settings.empty()) {
        line += u" (" + file.settings + u")";
      }
      Print(output, line);
    }
  }
}

}  // namespace

CLI::App& AddConvertCommand(CLI::App& program, ConvertOptions& options) {
  CLI::App& command = *program.add_subcommand("convert");
  command.set_help_flag("-h,--help");
  // What the command does not take is reported by ConvertUsageProblem, in the user's language.
  command.allow_extras();
  AddMachineOptions(command, options);
  AddSoilReadingsOptions(command, options.soil_readings);
  command.add_flag("--yes", options.yes);
  command.add_flag("--quiet", options.quiet);
  command.add_option("SOURCE", options.source);
  command.add_option("DEST", options.destination);
  return command;
}

std::optional<std::string> ConvertUsageProblem(const CLI::App& command) {
  if (auto extra = ExtraArgumentReason(command.remaining())) {
    return extra;
  }
  for (const char* argument : {"SOURCE", "DEST"}) {
    if (command.get_option(argument)->count() == 0) {
      return catalogue::Format(catalogue::TextId::kCliErrorMissingArgument, {argument});
    }
  }
  return std::nullopt;
}

int RunConvert(const ConvertOptions& options, std::FILE* input, std::FILE* output,
               std::FILE* messages) {
  std::optional<platform::FileSystem> file_system = PrepareFileSystem(options, messages);
  if (!file_system) {
    return kExitUsage;
  }
  const std::optional<app::SoilReadingsTable> table =
      LoadSoilReadings(options.soil_readings, messages);
  if (!table) {
    return kExitUsage;
  }
  TerminalUserInterface ui(options.yes, input, messages);
  const app::RunResult result =
      app::RunConversion(*file_system, ui, ArgumentText(options.source),
                         ArgumentText(options.destination), table->readings);
  if (result.interrupted) {
    return platform::InterruptExitCode();
  }
  if (!result.succeeded) {
    return kExitRefused;
  }
  if (!options.quiet) {
    PrintSummary(output, result.report);
  }
  Print(output, ui.status());
  // The success text that cannot be written is no success (a full disk, a closed output).
  if (std::fflush(output) != 0 || std::ferror(output) != 0) {
    WriteProgramMessage(messages, catalogue::TextId::kCliCannotWriteOutput);
    return kExitRefused;
  }
  return kExitConverted;
}

}  // namespace qe2m4::cli
