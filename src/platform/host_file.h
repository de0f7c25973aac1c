#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_operation_hook.h"

namespace qe2m4::platform {

// Closes a C stream when it goes out of scope.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Whether a file opened for reading may be reached through a symbolic link at its own name (on
// Windows a symbolic link or a junction). Links on the folder levels above it are followed
// either way.
enum class LastLevelLink {
  kFollow,  // read the file the link leads to
  kRefuse,  // refuse the link as not an ordinary file: a boring's files from another office
            // could lead anywhere on the machine, and what is read lands in the destination
};

// Opens an ordinary file for reading. What is not one is refused without waiting on it (a FIFO
// would block the open): throws Error(kRead) naming display_path, with the cause kIsAFolder,
// kNotAFile or the system's own (kNotFound when nothing is there). With kRefuse a link at the
// file's own name is kNotAFile (kLinkLoop for one that leads round in a circle); the test and
// the open are one step, so the link cannot be put in place between them.
UniqueFile OpenForReading(const std::filesystem::path& host, const std::u16string& display_path,
                          LastLevelLink link = LastLevelLink::kFollow);

// Throws Error(kCreateFolder, kNameTooLong) naming display_path when a level of the host folder
// path is longer than its file system allows, or when the path with room for the names of the
// files written in the folder is longer than the system accepts. existing, when given, is the
// nearest folder of the path known to be there: the limits are asked of it.
void CheckHostPathLimits(const std::filesystem::path& folder, const std::u16string& display_path,
                         const std::filesystem::path& existing = {});

// Writes a file so that it is complete or absent, and durable: the bytes go to a new temporary
// file in the target's folder, which MakeDurable() flushes to the disk and Publish() renames over
// the target, then flushes the folder, so that after Publish() the new file survives a power cut.
// Commit() does both, at once or, in a scope of outputs flushed together, when the scope commits.
// Without Publish() (an error, an exception passing through) the temporary file is removed and
// the target is untouched.
class AtomicFile {
 public:
  // display_path names the target in errors (the program's drive path); hook, when given, is
  // asked before each operation (tests make chosen ones fail).
  AtomicFile(std::filesystem::path target, std::u16string display_path,
             FileOperationHook* hook = nullptr);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // The moved-from file owns nothing and removes nothing.
  AtomicFile(AtomicFile&&) noexcept;
  AtomicFile& operator=(AtomicFile&&) = delete;

  void Write(std::string_view bytes);
  // Flushes the written bytes to the disk and closes the temporary file; nothing more can be
  // written.
  void MakeDurable();
  // Renames the durable temporary file over the target and flushes the folder.
  void Publish();
  // Makes the file durable and publishes it; in a scope of outputs flushed together, starts its
  // write-out and hands it to the scope, which does both later, in the order files came.
  void Commit();

 private:
  [[noreturn]] void Fail(int error_number);
  // The error number the hook gives the operation (0 when there is no hook).
  int Gate(FileOperation operation) const;

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::u16string display_path_;
  FileOperationHook* hook_;
  struct Host;  // the system's handle of the temporary file
  std::unique_ptr<Host> host_;
  bool durable_ = false;
  bool committed_ = false;
};

}  // namespace qe2m4::platform
