#include "measurements/record_family.h"

#include <utility>

#include "common/column_rules.h"
#include "platform/output_file.h"

namespace qe2m4 {
namespace {

// The end-marker slot of the family loops.
constexpr int kFamilySlot = 2;

}  // namespace

void CommitOutput(ConversionContext& context, platform::OutputFile& output,
                  std::u16string_view name) {
  output.Commit();
  context.report.files.push_back(WrittenFile{std::u16string(name), output.lines()});
}

void NumberedLines::Write(std::initializer_list<std::u16string_view> columns) {
  ++counter_;
  line_.clear();  // the line keeps its room from the last one
  AppendRecordNumberColumn(counter_, line_);
  for (const std::u16string_view column : columns) {
    line_ += u',';
    line_ += column;
  }
  output_.WriteLine(line_);
}

void ConvertRecordFile(ConversionContext& context, const platform::DrivePath& source_folder,
                       std::u16string_view source_name, int field_count,
                       std::u16string_view output_name, const RecordLines& record_lines) {
  RecordReader& reader = context.reader;
  if (reader.OpenRecordFile(source_folder.Join(source_name)) != 0) {
    return;
  }
  const ReaderCloser closer(reader);
  platform::OutputFile output(context.file_system, context.OutputPath(output_name));
  NumberedLines lines(output);
  for (;;) {
    reader.ReadRecord(field_count, kFamilySlot);
    if (reader.RecordPos(kFamilySlot) == RecordReader::kEndOfData) {
      break;
    }
    record_lines(reader, lines);
  }
  CommitOutput(context, output, output_name);
}

}  // namespace qe2m4
