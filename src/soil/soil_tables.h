#pragma once

#include <array>
#include <string_view>

namespace qe2m4 {

// One row of a soil-name table: the name searched for in a description, the two-character
// classification code written to N1A.txt and the target product's code.
struct SoilTableRow {
  std::u16string_view name;
  std::u16string_view code;
  std::u16string_view target;
};

// Rows are tried in this order; the order decides which row wins a tie.
extern const std::array<SoilTableRow, 47> MainSoilTable;
extern const std::array<SoilTableRow, 6> SoilAdjectiveTable;
extern const std::array<SoilTableRow, 8> AdmixtureTable;

}  // namespace qe2m4
