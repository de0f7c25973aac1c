#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace qe2m4::platform {

// Closes a C stream when it goes out of scope.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Writes a file so that it is complete or absent: the bytes go to a new temporary file in the
// target's folder, which Commit() renames over the target. Without Commit() (an error, an
// exception passing through) the temporary file is removed and the target is untouched.
class AtomicFile {
 public:
  // display_path names the target in errors (the program's drive path).
  AtomicFile(std::filesystem::path target, std::u16string display_path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(std::string_view bytes);
  void Commit();

 private:
  struct Host;  // the system's handle of the temporary file
  [[noreturn]] void Fail(const std::string& reason);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::u16string display_path_;
  std::unique_ptr<Host> host_;
  bool committed_ = false;
};

// The whole content of a host file; throws Error(kRead) naming display_path.
std::string ReadHostFile(const std::filesystem::path& file, const std::u16string& display_path);

}  // namespace qe2m4::platform
