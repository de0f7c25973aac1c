#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/soil_readings_table.h"

namespace CLI {
class App;
}

namespace qe2m4::cli {

// Which table of soil readings a command's runs use.
struct SoilReadingsOptions {
  std::string file;   // --soil-readings FILE (a host path); empty for the settings folder's
  bool none = false;  // --no-soil-readings
};

// Adds --soil-readings FILE and --no-soil-readings (which exclude each other) to a command.
void AddSoilReadingsOptions(CLI::App& command, SoilReadingsOptions& options);

// The table the options name: FILE, or else soil-readings.csv in the settings folder when that
// exists, or none. Its warnings are printed to messages; nullopt when it cannot be used (what
// is wrong, naming the file and the line, printed too), and then nothing is to be converted.
std::optional<app::SoilReadingsTable> LoadSoilReadings(const SoilReadingsOptions& options,
                                                       std::FILE* messages);

}  // namespace qe2m4::cli
