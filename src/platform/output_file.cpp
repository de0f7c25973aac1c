#include "platform/output_file.h"

#include "platform/cp932.h"
#include "platform/file_system.h"

namespace qe2m4::platform {

OutputFile::OutputFile(const FileSystem& file_system, std::u16string_view path)
    : file_(file_system.Resolve(path), file_system.FullPath(path), file_system.operation_hook()) {}

void OutputFile::WriteLine(std::u16string_view line) {
  std::string bytes = EncodeCp932(line);
  bytes += "\r\n";
  file_.Write(bytes);
  ++lines_;
}

void OutputFile::Commit() {
  file_.Commit();
}

}  // namespace qe2m4::platform
