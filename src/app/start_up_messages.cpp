#include "app/start_up_messages.h"

#include "platform/host_paths.h"

namespace qe2m4::app {

using catalogue::Format;
using catalogue::TextId;

std::string SettingsWarningText(const platform::SettingsWarning& warning,
                                catalogue::Language language) {
  using Kind = platform::SettingsWarning::Kind;
  const std::string file = platform::PathUtf8(warning.file);
  switch (warning.kind) {
    case Kind::kFileIsFolder:
      return Format(TextId::kStartupSettingsFolder, language, {file});
    case Kind::kFileNotOrdinary:
      return Format(TextId::kStartupSettingsNotRegular, language, {file});
    case Kind::kFileTooLarge:
      return Format(TextId::kStartupSettingsTooLarge, language,
                    {file, std::to_string(warning.limit)});
    case Kind::kFileUnreadable:
      return Format(TextId::kStartupSettingsUnreadable, language, {file, warning.reason});
    case Kind::kLineNotAssignment:
      return Format(TextId::kStartupSettingsLine, language, {file, std::to_string(warning.line)});
    case Kind::kSystemFolderOnNoDrive:
      return Format(TextId::kStartupSettingsSystemFolder, language, {file});
  }
  return file;
}

std::string StartUpErrorText(const platform::StartUpError& error, catalogue::Language language) {
  using Kind = platform::StartUpError::Kind;
  switch (error.kind) {
    case Kind::kNotADriveAssignment:
      return Format(TextId::kStartupErrorDrive, language, {error.value});
    case Kind::kSystemFolderOnNoDrive:
      return Format(TextId::kStartupErrorSystemFolder, language, {error.value});
  }
  return error.value;
}

}  // namespace qe2m4::app
