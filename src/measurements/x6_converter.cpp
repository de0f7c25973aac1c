#include "measurements/x6_converter.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/column_rules.h"
#include "common/patdat_ini.h"
#include "measurements/record_family.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {
namespace {

constexpr int kX6Fields = 68;
constexpr std::size_t kNames = 15;

// The fifteen names of L9.txt, blanks at both ends removed; row 1 is element 0.
using NameTable = std::array<std::u16string, kNames>;

// L9.txt holds fifteen pairs of items (a number, then a name); the first 30 items are read,
// anything after them is not.
NameTable ReadNameTable(const platform::FileSystem& file_system, const std::u16string& path) {
  RecordReader table_reader(file_system);
  // A table that is there but cannot be read throws with its reason from the reader. The
  // table belongs to the program's pattern data, not to a boring: a link to it is followed.
  if (table_reader.OpenRecordFile(path, platform::LastLevelLink::kFollow) != 0) {
    if (file_system.Missing(path)) {
      throw platform::Error(platform::ErrorKind::kRead, file_system.FullPath(path),
                            platform::ErrorCause::kNotFound, "the file is missing");
    }
    throw platform::Error(platform::ErrorKind::kShortFile, file_system.FullPath(path),
                          "the file is empty");
  }
  NameTable names;
  for (std::u16string& name : names) {
    std::u16string number;
    if (!table_reader.ReadItem(number) || !table_reader.ReadItem(name)) {
      throw platform::Error(platform::ErrorKind::kShortFile, file_system.FullPath(path),
                            "fewer than 30 items");
    }
    name = platform::QPTrim(name);
  }
  return names;
}

// "1" for every table row whose name occurs among fields 29 to 48 (blanks at both ends
// removed), "0" for the others; row 1 leftmost. Most of these fields are empty, and an empty
// field can match only an empty name: without one (has_empty_name) empty fields are passed by.
std::u16string MarksText(const RecordReader& reader, const NameTable& names, bool has_empty_name) {
  std::u16string marks(kNames, u'0');
  for (int k = 29; k <= 48; ++k) {
    const std::u16string_view value = TrimBlanks(reader.RecordField(k));
    if (value.empty() && !has_empty_name) {
      continue;
    }
    for (std::size_t row = 0; row < kNames; ++row) {
      if (value == names[row]) {
        marks[row] = u'1';
      }
    }
  }
  return marks;
}

}  // namespace

void ConvertX6File(ConversionContext& context, const platform::DrivePath& source_folder) {
  const platform::FileSystem& file_system = context.file_system;
  const platform::DrivePath x6_path = source_folder.Join(u"X6.txt");
  if (file_system.Missing(x6_path) || file_system.FileSize(x6_path) == 0) {
    return;
  }
  const PatdatIni ini = ReadPatdatIni(file_system);
  if (ini.value.empty()) {
    // Nothing is written, as without the table; the report says so and why.
    context.report.not_written.push_back({u"N6.txt",
                                          ini.state == PatdatIni::State::kIgnored
                                              ? NotWrittenFile::Reason::kPatdatIniIgnored
                                              : NotWrittenFile::Reason::kNoPatdatIni,
                                          ini.path});
    return;
  }
  const NameTable names = ReadNameTable(file_system, ini.value + u"L9.txt");
  const bool has_empty_name = std::any_of(names.begin(), names.end(),
                                          [](const std::u16string& name) { return name.empty(); });
  ConvertRecordFile(context, source_folder, u"X6.TXT", kX6Fields, u"N6.txt",
                    [&names, has_empty_name](const RecordReader& reader, NumberedLines& lines) {
                      lines.Write({AlignLeft(reader.RecordField(2), 6),
                                   FormatPicture(reader.RecordField(3), u"00"),
                                   AlignRight(FormatPicture(reader.RecordField(5), u"###0.00"), 7),
                                   AlignRight(FormatPicture(reader.RecordField(6), u"###0.00"), 7),
                                   AlignRight(FormatPicture(reader.RecordField(7), u"##0"), 3),
                                   AlignRight(FormatPicture(reader.RecordField(8), u"##0"), 3),
                                   MarksText(reader, names, has_empty_name)});
                    });
}

}  // namespace qe2m4
