#include "measurements/record_family.h"

#include <utility>

#include "measurements/column_rules.h"
#include "measurements/held_outputs.h"
#include "platform/output_file.h"

namespace qe2m4 {
namespace {

// The end-marker slot of the family loops.
constexpr int kFamilySlot = 2;

// A conversion beside the run's own thread looks this often whether the run still wants it.
constexpr std::int64_t kRecordsBetweenChecks = 4096;

}  // namespace

std::u16string OutputPath(const ConversionContext& context, std::u16string_view name) {
  std::u16string path = context.DestFolder;
  path += u'\\';
  path += name;
  return path;
}

void CommitOutput(ConversionContext& context, platform::OutputFile& output,
                  std::u16string_view name) {
  WrittenFile written{std::u16string(name), output.lines()};
  if (context.held_outputs != nullptr) {
    output.Complete();
    // The holder owns the file from here; what is left in output removes nothing.
    context.held_outputs->Hold(std::move(output), std::move(written));
    return;
  }
  output.Commit();
  context.report.files.push_back(std::move(written));
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

void ConvertRecordFile(ConversionContext& context, std::u16string_view source_path,
                       std::u16string_view source_name, int field_count,
                       std::u16string_view output_name, const RecordLines& record_lines) {
  RecordReader& reader = context.reader;
  std::u16string source(source_path);
  source += source_name;
  if (reader.OpenRecordFile(source) != 0) {
    return;
  }
  const ReaderCloser closer(reader);
  platform::OutputFile output(context.file_system, OutputPath(context, output_name));
  NumberedLines lines(output);
  for (std::int64_t records = 1;; ++records) {
    if (records % kRecordsBetweenChecks == 0) {
      context.StopIfAbandoned();
    }
    reader.ReadRecord(field_count, kFamilySlot);
    if (reader.RecordPos(kFamilySlot) == RecordReader::kEndOfData) {
      break;
    }
    record_lines(reader, lines);
  }
  CommitOutput(context, output, output_name);
}

}  // namespace qe2m4
