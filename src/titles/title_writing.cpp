#include <string>
#include <vector>

#include "common/column_rules.h"
#include "common/numbers.h"
#include "platform/output_file.h"
#include "titles/title_conversion.h"

namespace qe2m4 {
namespace {

// Writes the lines of one title file from the table's cells; cells are named by row and line.
class TitleLines {
 public:
  TitleLines(const platform::FileSystem& file_system, const platform::DrivePath& path,
             const TitleTable& table)
      : output_(file_system, path), table_(table) {}

  // Line `part` (1 or 2) of the cell laid out in lines of width CP932 bytes; empty when the
  // cell needs fewer lines.
  void Split(int row, int line, int width, std::size_t part) {
    const std::vector<std::u16string> lines = SplitFixedWidth(table_.cell(row, line), width);
    output_.WriteLine(part <= lines.size() ? lines[part - 1] : std::u16string());
  }
  void AsRead(int row, int line) { output_.WriteLine(table_.cell(row, line)); }
  void Right(int row, int line, int width) {
    output_.WriteLine(AlignRight(table_.cell(row, line), width));
  }
  // The number the cell starts with (0 when none) through a picture, right-aligned.
  void Number(int row, int line, std::u16string_view picture, int width) {
    output_.WriteLine(
        AlignRight(FormatPicture(LeadingNumber(table_.cell(row, line)), picture), width));
  }
  void Text(std::u16string_view text) { output_.WriteLine(text); }

  void Commit(ConversionContext& context, std::u16string_view name) {
    output_.Commit();
    context.report.files.push_back(WrittenFile{std::u16string(name), output_.lines()});
  }

 private:
  platform::OutputFile output_;
  const TitleTable& table_;
};

constexpr int kTitl01 = 1;  // the row of titl01.txt
constexpr int kTitl02 = 2;  // the row of titl02.txt

void WriteTitl1(ConversionContext& context, const platform::DrivePath& path,
                const TitleTable& table) {
  TitleLines out(context.file_system, path, table);
  out.Split(kTitl01, 1, 60, 1);
  out.Split(kTitl01, 1, 60, 2);
  out.Split(kTitl01, 3, 20, 1);
  out.Split(kTitl01, 2, 60, 1);
  out.Split(kTitl02, 1, 16, 1);
  out.Split(kTitl01, 10, 30, 1);
  out.Split(kTitl01, 10, 30, 2);
  out.Text(u"     ");
  out.Text(u"     ");
  for (int line = 4; line <= 9; ++line) {
    out.AsRead(kTitl01, line);
  }
  out.AsRead(kTitl02, 17);
  out.Number(kTitl02, 19, u"####0.00", 8);
  out.AsRead(kTitl02, 21);
  out.Number(kTitl02, 23, u"####0.00", 8);
  out.Split(kTitl01, 21, 16, 1);
  out.Split(kTitl01, 22, 16, 1);
  out.Split(kTitl02, 16, 16, 1);
  out.Split(kTitl02, 15, 16, 1);
  out.Split(kTitl02, 28, 24, 1);
  out.Split(kTitl02, 29, 24, 1);
  out.Split(kTitl02, 30, 24, 1);
  out.AsRead(kTitl02, 31);
  out.Split(kTitl01, 23, 16, 1);
  out.Commit(context, u"Titl1.txt");
}

void WriteTitl2(ConversionContext& context, const platform::DrivePath& path,
                const TitleTable& table) {
  TitleLines out(context.file_system, path, table);
  out.Split(kTitl01, 17, 50, 1);
  out.Split(kTitl01, 17, 50, 2);
  out.Split(kTitl01, 18, 40, 1);
  out.Right(kTitl01, 19, 12);
  out.Right(kTitl01, 11, 3);
  out.Right(kTitl01, 12, 3);
  out.Right(kTitl01, 13, 5);
  out.Right(kTitl01, 14, 3);
  out.Right(kTitl01, 15, 3);
  out.Right(kTitl01, 16, 5);
  out.Number(kTitl02, 20, u"####0.00", 8);
  out.Number(kTitl02, 25, u"###0.00", 7);
  out.Number(kTitl02, 26, u"###0.00", 7);
  out.Number(kTitl02, 27, u"###0.00", 7);
  out.Right(kTitl01, 20, 12);
  out.Commit(context, u"Titl2.txt");
}

}  // namespace

void WriteTitleFiles(ConversionContext& context, const TitleTable& table) {
  WriteTitl1(context, context.OutputPath(u"Titl1.txt"), table);
  WriteTitl2(context, context.OutputPath(u"Titl2.txt"), table);
}

}  // namespace qe2m4
