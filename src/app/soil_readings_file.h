#pragma once

#include <cstdint>
#include <filesystem>

#include "app/soil_readings_table.h"

namespace qe2m4::app {

// A table of soil readings is read only when it is an ordinary file of at most this many bytes,
// as the other settings files are.
inline constexpr std::uintmax_t kSoilReadingsMaxBytes = 1024 * 1024;

// The table every run uses unless told otherwise: soil-readings.csv in the user's settings
// folder, beside drives.conf.
std::filesystem::path SettingsSoilReadingsFile();

// Reads the table of soil readings in a host file. A missing file is a problem when the user
// named it (must_exist), and otherwise a table without readings. Never throws.
SoilReadingsTable LoadSoilReadingsFile(const std::filesystem::path& file, bool must_exist);

}  // namespace qe2m4::app
