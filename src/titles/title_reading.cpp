#include <algorithm>
#include <string>

#include "platform/file_system.h"
#include "platform/names.h"
#include "platform/vendor.h"
#include "titles/title_conversion.h"

namespace qe2m4 {

void TitleTable::Clear() {
  for (auto& row : cells_) {
    for (std::u16string& cell : row) {
      cell.clear();
    }
  }
}

void ReadTitleTexts(ConversionContext& context, TitleTable& table,
                    const std::vector<std::u16string>& copied_names) {
  static constexpr std::u16string_view kTitleFiles[TitleTable::kRows] = {
      u"titl01.txt", u"titl02.txt", u"titl03.txt"};
  table.Clear();
  RecordReader& reader = context.reader;
  for (int row = 1; row <= TitleTable::kRows; ++row) {
    const std::u16string_view name = kTitleFiles[row - 1];
    const std::u16string path = context.DestFolder + u"\\" + std::u16string(name);
    const bool copied = std::any_of(
        copied_names.begin(), copied_names.end(),
        [name](const std::u16string& copy) { return platform::NamesEqual(copy, name); });
    if (copied && reader.OpenRecordFile(path) == 0) {
      // Lines after the 50th are not read.
      for (int line = 1; line <= TitleTable::kLines && reader.HasData(); ++line) {
        table.cell(row, line) = platform::QPTrim(reader.ReadLine());
      }
      reader.Close();
    }
    // The title files are copies made for this step; none is left behind, empty ones included.
    if (context.file_system.FileExists(path)) {
      context.file_system.DeleteFile(path);
    }
  }
}

}  // namespace qe2m4
