#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qe2m4::platform {
class OutputFile;
}

namespace qe2m4 {

// The one or two soil names of one layer description; slot 0 is never used.
using LayerNameParts = std::array<std::u16string, 3>;

// Whether each classified name (slots 1 and 2) found a main soil.
struct LayerSoilResult {
  std::array<bool, 3> main_found{};  // [1] and [2]; a slot not classified counts as found
};

// Classifies the soil names of one layer (name_count 1 or 2 of names[1], names[2]) and appends
// the layer's line to N1.txt (combined target codes) and to N1A.txt (admixture, adjective and
// main soil codes and target codes).
LayerSoilResult ClassifyLayerSoil(std::int64_t layer_number, std::u16string_view depth_text,
                                  int name_count, const LayerNameParts& names,
                                  platform::OutputFile& n1, platform::OutputFile& n1a);

}  // namespace qe2m4
