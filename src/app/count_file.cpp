#include "app/count_file.h"

#include <vector>

#include "common/numbers.h"
#include "common/path_utils.h"
#include "common/record_reader.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/output_file.h"

namespace qe2m4::app {
namespace {

constexpr std::u16string_view kCountName = u"CNT.TXT";

// Part k (from 1) of the destination path split at "\"; empty beyond its end.
std::u16string Level(const std::vector<std::u16string>& parts, std::size_t k) {
  return k - 1 < parts.size() ? parts[k - 1] : std::u16string();
}

}  // namespace

CountFields ReadSourceCount(const platform::FileSystem& file_system,
                            const platform::DrivePath& source_folder) {
  const platform::DrivePath path = source_folder.Join(kCountName);
  CountFields fields;
  // A missing file counts as empty; anything else that is there must be a readable file (the
  // reader throws otherwise). A reader of its own, so that fields the file does not reach are
  // empty.
  RecordReader reader(file_system);
  if (reader.OpenRecordFile(path) != 0) {
    return fields;
  }
  reader.ReadRecord(6, 1);
  fields.f5 = reader.RecordField(5);
  fields.f6 = reader.RecordField(6);
  reader.Close();
  if (LeadingNumber(fields.f5) > 20) {
    // Not "= u\"2\"": GCC 12 warns falsely (-Wrestrict) on that assignment once inlined here.
    fields.f5.assign(1, u'2');
  }
  return fields;
}

void WriteDestinationCount(const platform::FileSystem& file_system,
                           const platform::DrivePath& destination_folder,
                           std::u16string_view destination_text, const CountFields& fields,
                           ConversionReport& report) {
  const std::vector<std::u16string> parts = SplitPath(destination_text, u"\\");
  platform::OutputFile out(file_system, destination_folder.Join(kCountName));
  out.WriteLine(Level(parts, 3).substr(0, 2));
  out.WriteLine(Level(parts, 4));
  out.WriteLine(Level(parts, 5));
  out.WriteLine(u"");
  out.WriteLine(fields.f5);
  out.WriteLine(fields.f6);
  out.Commit();
  report.files.push_back({std::u16string(kCountName), out.lines()});
}

}  // namespace qe2m4::app
