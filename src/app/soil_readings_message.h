#pragma once

#include <filesystem>
#include <string>

#include "app/soil_readings_table.h"

namespace qe2m4::app {

// The window's message when the table of soil readings in file cannot be used, one item a
// line: that the run does not start, the file, then the lines concerned and the reason.
std::u16string SoilReadingsProblemMessage(const SoilReadingsProblem& problem,
                                          const std::filesystem::path& file);

}  // namespace qe2m4::app
