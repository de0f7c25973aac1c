#include "cli/soil_readings_options.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "app/soil_readings_file.h"
#include "cli/console.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

using Kind = app::SoilReadingsProblem::Kind;

// What is wrong, in the form the command line reports a list's problems: "FILE:3: reason".
std::string Describe(const app::SoilReadingsProblem& problem, const std::string& file) {
  std::string where = file;
  for (std::size_t i = 0; i < problem.lines.size(); ++i) {
    where += (i == 0 ? ":" : ",") + std::to_string(problem.lines[i]);
  }
  const std::string column = platform::ToUtf8(problem.column);
  switch (problem.kind) {
    case Kind::kMissing:
      return where + ": no such file";
    case Kind::kUnreadable:
      return where + ": cannot read the table of soil readings: " + problem.reason;
    case Kind::kNotAFile:
      return where + ": not a regular file";
    case Kind::kTooLarge:
      return where + ": larger than " + std::to_string(app::kSoilReadingsMaxBytes) + " bytes";
    case Kind::kBadText:
      return where + ": not valid " + problem.encoding + " text";
    case Kind::kBadQuote:
      return where + ": a quote is not closed where it should be";
    case Kind::kNoColumn:
      return where + ": the header row has no column " + column;
    case Kind::kTwoColumns:
      return where + ": the header row has two columns " + column;
    case Kind::kTwoReadings:
      return where + ": one description with two different readings";
  }
  return where;
}

}  // namespace

void AddSoilReadingsOptions(CLI::App& command, SoilReadingsOptions& options) {
  CLI::Option* const file =
      command
          .add_option("--soil-readings", options.file,
                      "the table of soil readings, CSV with the columns 記述 and 読み替え "
                      "(default: soil-readings.csv beside drives.conf, if any)")
          ->type_name("FILE")
          ->check(CLI::Validator(
              [](const std::string& value) {
                return value.empty() ? std::string("needs a file") : std::string();
              },
              ""));
  command.add_flag("--no-soil-readings", options.none, "use no table of soil readings")
      ->excludes(file);
}

std::optional<app::SoilReadingsTable> LoadSoilReadings(const SoilReadingsOptions& options,
                                                       std::FILE* messages) {
  if (options.none) {
    return app::SoilReadingsTable{};
  }
  const bool named = !options.file.empty();
  const std::filesystem::path file =
      named ? platform::HostPathFromUtf8(options.file) : app::SettingsSoilReadingsFile();
  app::SoilReadingsTable table = app::LoadSoilReadingsFile(file, named);
  const std::string shown = platform::PathUtf8(file);
  if (table.problem) {
    WriteText(messages, "qe2m4: " + Describe(*table.problem, shown) + "\n");
    return std::nullopt;
  }
  for (const app::SoilReadingsWarning& warning : table.warnings) {
    WriteText(messages, "qe2m4: " + shown + ":" + std::to_string(warning.line) +
                            ": warning: the reading " + platform::ToUtf8(warning.reading) +
                            " finds no main soil; the layers it reads stay without one\n");
  }
  return table;
}

}  // namespace qe2m4::cli
