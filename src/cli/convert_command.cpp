#include "cli/convert_command.h"

#include <filesystem>
#include <optional>
#include <string>

#include "app/conversion_run.h"
#include "app/texts.h"
#include "cli/terminal_user_interface.h"
#include "platform/drive_table.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/program_location.h"
#include "platform/start_up.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

namespace fs = std::filesystem;

void Print(std::FILE* stream, std::u16string_view line) {
  const std::string bytes = platform::ToUtf8(line);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fputc('\n', stream);
}

fs::path Absolute(const std::string& folder) {
  std::error_code ec;
  const fs::path host = platform::HostPathFromUtf8(folder);
  const fs::path absolute = fs::absolute(host, ec);
  return ec ? host : absolute;
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
  if (!report.unmatched_layers.empty()) {
    Print(output, app::texts::kSummaryUnmatched);
    for (const UnmatchedLayer& layer : report.unmatched_layers) {
      Print(output,
            u"  " + platform::FromUtf8(std::to_string(layer.record)) + u": " + layer.description);
    }
  }
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::FILE* input, std::FILE* output,
               std::FILE* messages) {
  std::vector<std::string> problems;
  platform::FileSystem file_system(platform::StartUpDriveTable(options.drives, problems));
  for (const std::string& problem : problems) {
    std::fprintf(messages, "qe2m4: %s\n", problem.c_str());
  }

  const fs::path system_folder = options.system_folder.empty() ? platform::DefaultSystemFolder()
                                                               : Absolute(options.system_folder);
  if (const auto path = file_system.ToDrivePath(system_folder)) {
    file_system.SetSystemFolder(*path);
  } else if (!options.system_folder.empty()) {
    std::fprintf(messages, "qe2m4: no drive holds the system folder %s\n",
                 platform::PathUtf8(system_folder).c_str());
    return kExitUsage;
  }
  if (const auto location = platform::ProgramLocation()) {
    if (const auto path = file_system.ToDrivePath(*location)) {
      file_system.SetProgramFolder(*path);
    }
  }
  platform::EnterWorkingFolder(file_system);

  TerminalUserInterface ui(options.yes, input, messages);
  const app::RunResult result = app::Command1_Click(
      file_system, ui, platform::FromUtf8(options.source), platform::FromUtf8(options.destination));
  if (!result.succeeded) {
    return kExitRefused;
  }
  if (!options.quiet) {
    PrintSummary(output, result.report);
  }
  Print(output, ui.status());
  std::fflush(output);
  return kExitConverted;
}

}  // namespace qe2m4::cli
