#pragma once

#include <string_view>

#include "common/conversion_context.h"
#include "soil/inclusion_table.h"
#include "soil/soil_readings.h"

namespace qe2m4 {

// Converts the source's X files into the N files of DestFolder, in the fixed order X1, X4,
// X11, X3, X12, X5, then X6 and X7; the layers of X1 are classified through readings.
void ConvertMeasurementFiles(ConversionContext& context, const InclusionTable& inclusions,
                             const SoilReadings& readings,
                             const platform::DrivePath& source_folder);

}  // namespace qe2m4
