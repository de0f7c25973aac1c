#include "app/window_start.h"

#include <filesystem>
#include <system_error>

#include "app/start_up_messages.h"
#include "platform/drive_table.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::app {

namespace fs = std::filesystem;

namespace {

// "L:" alone, or "L:" and a separator, with a letter A to Z: a path of the program's drives.
bool HasDriveForm(std::u16string_view text) {
  return text.size() >= 2 && platform::DriveLetter(text[0]) && text[1] == u':' &&
         (text.size() == 2 || text[2] == u'\\' || text[2] == u'/');
}

}  // namespace

WindowLaunch LaunchWindow(const std::vector<std::string>& arguments, WindowProgram program) {
  std::variant<GuiOptions, GuiOptionsError> parsed = ParseGuiOptions(arguments, program);
  if (const auto* error = std::get_if<GuiOptionsError>(&parsed)) {
    return GuiUsageError{GuiOptionsErrorText(*error) + u"\n\n" + GuiHelp(program)};
  }
  GuiOptions& options = std::get<GuiOptions>(parsed);
  if (options.help) {
    return ShowGuiHelp{GuiHelp(program)};
  }
  std::variant<platform::StartUp, platform::StartUpError> started =
      platform::StartFrontEnd(options.start_up);
  if (const auto* error = std::get_if<platform::StartUpError>(&started)) {
    return GuiUsageError{platform::FromUtf8(StartUpErrorText(*error)) + u"\n\n" + GuiHelp(program)};
  }
  platform::StartUp& start_up = std::get<platform::StartUp>(started);
  return OpenWindow{std::move(start_up.file_system),
                    WindowStart{options.folder, std::move(start_up.warnings)}, options.screenshot};
}

std::variant<std::u16string, FolderArgumentProblem> FolderArgumentPath(
    const platform::FileSystem& file_system, std::string_view argument) {
  const fs::path host = platform::HostPathFromUtf8(argument);
  const std::u16string text = platform::PathText(host);
  std::error_code ec;
  const fs::path absolute = fs::absolute(host, ec);
  const fs::path host_path = (ec ? host : absolute).lexically_normal();
  // A folder dropped on the program, sent to it or named by a shortcut is a path of the system:
  // where something exists there, that is what is meant, even when the program's own drive
  // table gives its letter another folder ("--drive C=...").
  std::optional<std::u16string> path;
  if (!fs::exists(host_path, ec) && HasDriveForm(text) && file_system.DriveUsable(text[0])) {
    path = file_system.FullPath(text);
  } else {
    path = file_system.ToDrivePath(host_path);
  }
  if (!path) {
    return FolderArgumentProblem::kOnNoDrive;
  }
  if (file_system.FolderExists(*path)) {
    return *path;
  }
  return file_system.Exists(*path) ? FolderArgumentProblem::kNotAFolder
                                   : FolderArgumentProblem::kNotFound;
}

std::u16string FolderArgumentMessage(FolderArgumentProblem problem, std::string_view argument,
                                     catalogue::Language language) {
  using catalogue::TextId;
  const TextId id = problem == FolderArgumentProblem::kOnNoDrive  ? TextId::kWindowFolderOnNoDrive
                    : problem == FolderArgumentProblem::kNotFound ? TextId::kWindowFolderNotFound
                                                                  : TextId::kWindowFolderNotAFolder;
  return platform::FromUtf8(catalogue::Format(id, language, {argument}));
}

std::optional<std::u16string> SettingsWarningsMessage(
    const std::vector<platform::SettingsWarning>& warnings, catalogue::Language language) {
  if (warnings.empty()) {
    return std::nullopt;
  }
  std::u16string text =
      platform::FromUtf8(catalogue::Text(catalogue::TextId::kWindowSettingsWarnings, language));
  for (const platform::SettingsWarning& warning : warnings) {
    text += u"\n" + platform::FromUtf8(SettingsWarningText(warning, language));
  }
  return text;
}

}  // namespace qe2m4::app
