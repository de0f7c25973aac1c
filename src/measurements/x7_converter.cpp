#include "measurements/x7_converter.h"

#include <array>

#include "common/column_rules.h"
#include "measurements/record_family.h"

namespace qe2m4 {
namespace {

constexpr int kX7Fields = 68;

// The first `wanted` non-blank values (blanks at both ends removed) of fields first..last;
// missing ones are empty.
std::array<std::u16string_view, 2> FirstValues(const RecordReader& reader, int first, int last,
                                               int wanted) {
  std::array<std::u16string_view, 2> values;
  int found = 0;
  for (int k = first; k <= last && found < wanted; ++k) {
    const std::u16string_view value = TrimBlanks(reader.RecordField(k));
    if (!value.empty()) {
      values.at(static_cast<std::size_t>(found++)) = value;
    }
  }
  return values;
}

void WriteX7Line(const RecordReader& reader, NumberedLines& lines) {
  const auto of_9_to_28 = FirstValues(reader, 9, 28, 1);
  const auto of_49_to_68 = FirstValues(reader, 49, 68, 2);
  lines.Write({AlignLeft(reader.RecordField(2), 6), AlignRight(of_9_to_28[0], 2),
               AlignRight(FormatPicture(reader.RecordField(5), u"###0.00"), 7),
               AlignRight(FormatPicture(reader.RecordField(6), u"###0.00"), 7),
               AlignLeft(of_49_to_68[0], 8), AlignLeft(of_49_to_68[1], 8)});
}

}  // namespace

void ConvertX7File(ConversionContext& context, const platform::DrivePath& source_folder) {
  ConvertRecordFile(context, source_folder, u"X7.TXT", kX7Fields, u"N7.txt", WriteX7Line);
}

}  // namespace qe2m4
