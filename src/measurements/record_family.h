#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4::platform {
class OutputFile;
}

namespace qe2m4 {

// Completes an output file and lists it, with its line count, in the run's report.
void CommitOutput(ConversionContext& context, platform::OutputFile& output,
                  std::u16string_view name);

// The lines of one output file of the target product, each opened by the record-number column
// of its own line counter (which starts at 0 and counts every line written).
class NumberedLines {
 public:
  explicit NumberedLines(platform::OutputFile& output) : output_(output) {}
  // Writes the next line number's column and then the columns, joined by ",".
  void Write(std::initializer_list<std::u16string_view> columns);

 private:
  platform::OutputFile& output_;
  std::int64_t counter_ = 0;
  std::u16string line_;  // the line being built, kept for the next one
};

// Closes the reader's input when the loop that reads it ends, however it ends.
class ReaderCloser {
 public:
  explicit ReaderCloser(RecordReader& reader) : reader_(reader) {}
  ~ReaderCloser() { reader_.Close(); }
  ReaderCloser(const ReaderCloser&) = delete;
  ReaderCloser& operator=(const ReaderCloser&) = delete;

 private:
  RecordReader& reader_;
};

// Writes the line or lines of the record the reader has just read.
using RecordLines = std::function<void(const RecordReader& reader, NumberedLines& lines)>;

// The read-format-write loop of one file family: reads records of field_count fields from
// source_folder\source_name and writes their lines into DestFolder\output_name. When the source
// is missing or empty nothing is written and an existing output stays as it is.
void ConvertRecordFile(ConversionContext& context, const platform::DrivePath& source_folder,
                       std::u16string_view source_name, int field_count,
                       std::u16string_view output_name, const RecordLines& record_lines);

}  // namespace qe2m4
