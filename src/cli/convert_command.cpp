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
#include "platform/program_location.h"
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
  const fs::path absolute = fs::absolute(folder, ec);
  return ec ? fs::path(folder) : absolute;
}

// The user's drive table with the command's assignments on top; relative folders are taken
// from the working folder.
platform::DriveTable DriveTableFor(const ConvertOptions& options) {
  platform::DriveTable table = platform::LoadUserDriveTable();
  for (const std::string& assignment : options.drives) {
    const std::size_t equals = assignment.find('=');
    const std::string folder = assignment.substr(equals + 1);
    table.ApplyAssignment(assignment.substr(0, equals + 1) +
                          (folder.empty() ? folder : Absolute(folder).string()));
  }
  return table;
}

// The drive holding the working folder becomes current, else the first usable drive.
void SetStartingDrive(platform::FileSystem& file_system) {
  std::error_code ec;
  const fs::path working = fs::current_path(ec);
  if (!ec) {
    if (const auto path = file_system.ToDrivePath(working)) {
      try {
        file_system.SetCurrentFolder(*path);
        return;
      } catch (const platform::Error&) {
        // Fall back to the first usable drive.
      }
    }
  }
  const std::vector<char16_t> usable = file_system.UsableDrives();
  if (!usable.empty()) {
    file_system.SetCurrentDrive(usable.front());
  }
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
  platform::FileSystem file_system(DriveTableFor(options));

  const fs::path system_folder = options.system_folder.empty() ? platform::UserConfigFolder()
                                                               : Absolute(options.system_folder);
  if (const auto path = file_system.ToDrivePath(system_folder)) {
    file_system.SetSystemFolder(*path);
  } else if (!options.system_folder.empty()) {
    std::fprintf(messages, "qe2m4: no drive holds the system folder %s\n",
                 system_folder.string().c_str());
    return kExitUsage;
  }
  if (const auto location = platform::ProgramLocation()) {
    if (const auto path = file_system.ToDrivePath(*location)) {
      file_system.SetProgramFolder(*path);
    }
  }
  SetStartingDrive(file_system);

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
