#pragma once

#include <array>
#include <string>

#include "common/conversion_context.h"

namespace qe2m4 {

// The lines of titl01.txt, titl02.txt and titl03.txt: cell(row, n) is line n (1..50) of file
// row (1..3). Every cell starts empty.
class TitleTable {
 public:
  static constexpr int kRows = 3;
  static constexpr int kLines = 50;
  const std::u16string& cell(int row, int line) const { return cells_.at(row).at(line); }
  std::u16string& cell(int row, int line) { return cells_.at(row).at(line); }

 private:
  std::array<std::array<std::u16string, kLines + 1>, kRows + 1> cells_;
};

// Writes Titl1.txt and Titl2.txt into DestFolder from the table.
void WriteTitleFiles(ConversionContext& context, const TitleTable& table);

}  // namespace qe2m4
