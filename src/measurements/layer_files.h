#pragma once

#include <string_view>

#include "common/conversion_context.h"
#include "soil/layer_soil.h"
#include "soil/soil_readings.h"

namespace qe2m4 {

// The one or two soil names of a layer description: an alternation ("<A>と<B>の互層") gives
// kind 2 with A and B (a part that is not written is empty), anything else kind 1 with the
// whole description.
struct LayerNames {
  int kind = 1;
  LayerNameParts parts;
};
LayerNames SplitLayerDescription(std::u16string_view description);

// Converts the source's X1.TXT into N1.txt and N1A.txt, both written even when X1.TXT holds no
// record, and lists every layer one of whose names found no main soil in the run's report. A
// description that readings holds is classified as its reading instead, and the layer is
// listed as read.
void ConvertLayerFile(ConversionContext& context, const SoilReadings& readings,
                      const platform::DrivePath& source_folder);

}  // namespace qe2m4
