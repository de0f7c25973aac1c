#include <string>

#include "platform/file_system.h"
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

void ReadTitleTexts(ConversionContext& context, TitleTable& table) {
  static constexpr std::u16string_view kTitleFiles[TitleTable::kRows] = {
      u"\\titl01.txt", u"\\titl02.txt", u"\\titl03.txt"};
  table.Clear();
  RecordReader& reader = context.reader;
  for (int row = 1; row <= TitleTable::kRows; ++row) {
    const std::u16string path = context.DestFolder + std::u16string(kTitleFiles[row - 1]);
    if (reader.OpenRecordFile(path) == 0) {
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
