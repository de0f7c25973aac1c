#include "platform/output_file.h"

#include "platform/cp932.h"
#include "platform/file_system.h"

namespace qe2m4::platform {
namespace {

// The bytes buffered before they are written to the file.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

OutputFile::OutputFile(const FileSystem& file_system, std::u16string_view path)
    : OutputFile(file_system, file_system.PathOf(path)) {}

OutputFile::OutputFile(const FileSystem& file_system, const DrivePath& path)
    : file_(file_system.Resolve(path), path.Text(), file_system.operation_hook()) {}

void OutputFile::WriteLine(std::u16string_view line) {
  AppendCp932(line, buffer_);
  buffer_ += "\r\n";
  ++lines_;
  if (buffer_.size() >= kBlockSize) {
    Flush();
  }
}

void OutputFile::Flush() {
  file_.Write(buffer_);
  buffer_.clear();
}

void OutputFile::Commit() {
  Flush();
  // A completed file may wait a while for its turn to be published; its buffer is not needed.
  std::string().swap(buffer_);
  file_.Commit();
}

}  // namespace qe2m4::platform
