#include "app/soil_readings_file.h"

#include "platform/drive_table.h"
#include "platform/host_paths.h"
#include "platform/settings_file.h"

namespace qe2m4::app {

std::filesystem::path SettingsSoilReadingsFile() {
  return platform::UserConfigFolder() / "soil-readings.csv";
}

SoilReadingsTable LoadSoilReadingsFile(const std::filesystem::path& file, bool must_exist) {
  using Kind = SoilReadingsProblem::Kind;
  SoilReadingsTable table;
  SoilReadingsProblem problem;
  try {
    const platform::SettingsText text =
        platform::ReadSettingsFile(file, platform::PathText(file), kSoilReadingsMaxBytes);
    switch (text.state) {
      case platform::SettingsText::State::kRead:
        return ReadSoilReadingsTable(text.text);
      case platform::SettingsText::State::kMissing:
        if (!must_exist) {
          return table;
        }
        problem.kind = Kind::kMissing;
        break;
      case platform::SettingsText::State::kIgnored:
        // A table that is not used would leave the user's readings out without a word.
        problem.kind = text.too_large ? Kind::kTooLarge : Kind::kNotAFile;
        break;
    }
  } catch (const platform::Error& error) {
    problem.kind = Kind::kUnreadable;
    problem.cause = error.cause();
    problem.reason = error.reason();
  }
  table.problem = std::move(problem);
  return table;
}

}  // namespace qe2m4::app
