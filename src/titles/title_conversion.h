#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
  void Clear();

 private:
  std::array<std::array<std::u16string, kLines + 1>, kRows + 1> cells_;
};

// Reads the title files this run copied into DestFolder (copied_names, as copied) into the
// table and removes titl01/02/03.txt from there. A title file the run did not copy is stale
// (left by an earlier run) and is removed unread: its row stays empty.
void ReadTitleTexts(ConversionContext& context, TitleTable& table,
                    const std::vector<std::u16string>& copied_names);

// Writes Titl1.txt and Titl2.txt into destination_path (ending with "\") from the table.
void WriteTitleFiles(ConversionContext& context, std::u16string_view source_path,
                     std::u16string_view destination_path, const TitleTable& table);

}  // namespace qe2m4
