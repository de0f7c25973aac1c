#include "cli/soil_readings_options.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "app/soil_readings_file.h"
#include "catalogue/catalogue.h"
#include "cli/program_message.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

using Kind = app::SoilReadingsProblem::Kind;
using catalogue::Format;
using catalogue::TextId;

std::string T(TextId id) {
  return std::string(catalogue::Text(id));
}

// What is wrong, in the form the command line reports a list's problems: "FILE:3: reason".
std::string Describe(const app::SoilReadingsProblem& problem, const std::string& file) {
  std::string where = file;
  for (std::size_t i = 0; i < problem.lines.size(); ++i) {
    where += (i == 0 ? ":" : ",") + std::to_string(problem.lines[i]);
  }
  const std::string column = platform::ToUtf8(problem.column);
  switch (problem.kind) {
    case Kind::kMissing:
      return where + ": " + T(TextId::kCliSoilReadingsMissing);
    case Kind::kUnreadable:
      return where + ": " + Format(TextId::kCliSoilReadingsUnreadable, {problem.reason});
    case Kind::kNotAFile:
      return where + ": " + T(TextId::kCliSoilReadingsNotAFile);
    case Kind::kTooLarge:
      return where + ": " +
             Format(TextId::kCliSoilReadingsTooLarge, {std::to_string(app::kSoilReadingsMaxBytes)});
    case Kind::kBadText:
      return where + ": " + Format(TextId::kCliSoilReadingsBadText, {problem.encoding});
    case Kind::kBadQuote:
      return where + ": " + T(TextId::kCliSoilReadingsBadQuote);
    case Kind::kNoColumn:
      return where + ": " + Format(TextId::kCliSoilReadingsNoColumn, {column});
    case Kind::kTwoColumns:
      return where + ": " + Format(TextId::kCliSoilReadingsTwoColumns, {column});
    case Kind::kTwoReadings:
      return where + ": " + T(TextId::kCliSoilReadingsTwoReadings);
  }
  return where;
}

}  // namespace

void AddSoilReadingsOptions(CLI::App& command, SoilReadingsOptions& options) {
  CLI::Option* const file =
      command.add_option("--soil-readings", options.file)
          ->type_name("FILE")
          ->check(CLI::Validator(
              [](const std::string& value) {
                return value.empty() ? T(TextId::kCliErrorNeedsFile) : std::string();
              },
              ""));
  command.add_flag("--no-soil-readings", options.none)->excludes(file);
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
    WriteProgramMessage(messages, Describe(*table.problem, shown));
    return std::nullopt;
  }
  for (const app::SoilReadingsWarning& warning : table.warnings) {
    WriteProgramMessage(messages, shown + ":" + std::to_string(warning.line) + ": " +
                                      Format(TextId::kCliSoilReadingsNoMainSoil,
                                             {platform::ToUtf8(warning.reading)}));
  }
  return table;
}

}  // namespace qe2m4::cli
