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

// Reads a file from its first byte to its end, a block at a time.
class InputFile {
 public:
  // Opens the file for reading; throws Error(kRead) when it cannot. display_path names it in
  // errors (the program's drive path).
  InputFile(const std::filesystem::path& host, std::u16string display_path);

  // Reads up to size bytes into buffer and returns how many were read: fewer only at the end of
  // the file, 0 once it is reached. Throws Error(kRead) on a read error.
  std::size_t Read(char* buffer, std::size_t size);

 private:
  std::u16string display_path_;
  UniqueFile file_;
};

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
  [[noreturn]] void Fail(int error_number);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::u16string display_path_;
  UniqueFile file_;
  bool committed_ = false;
};

}  // namespace qe2m4::platform
