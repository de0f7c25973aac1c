#pragma once

#include <exception>
#include <optional>
#include <string>
#include <system_error>

#include "platform/names.h"

namespace qe2m4::platform {

// What the failing operation was trying to do. The front ends turn the kind into the user's
// language; the core only records it.
enum class ErrorKind {
  kRead,          // a file could not be read
  kWrite,         // a file could not be created, written or completed
  kCopy,          // a file could not be copied
  kDelete,        // a file could not be deleted
  kCreateFolder,  // a folder could not be created
  kNoDrive,       // the path names a drive that is not mapped or whose folder is missing
  kBadPath,       // the path cannot name a host file (for example it holds a NUL character)
  kShortFile,     // a table or settings file ends before the items it must hold
  kOverflow,      // a counter passed the largest value its file format allows
};

// Why it failed, for the common causes the user can act on; kUnknown leaves the reason to the
// system's own text.
enum class ErrorCause {
  kUnknown,
  kNotFound,      // nothing of that name (or a level of the path is missing)
  kAccessDenied,  // the system refused access
  kDiskFull,      // no space left (or the user's quota is used up)
  kReadOnly,      // a read-only file system
  kNameTooLong,   // a name or the whole path is longer than the system allows
  kInUse,         // another program holds the file
  kNotAFile,      // something that is not an ordinary file (a FIFO, a device, a socket)
  kIsAFolder,     // a folder where a file was expected
  kNotAFolder,    // a file where a folder was expected
  kLinkLoop,      // symbolic links that lead round in a circle
  kIoError,       // the device reported an input/output error
  kFileTooLarge,  // the file passed the largest size allowed (a file-size limit, the format)
  kOutOfMemory,   // the program ran out of memory
};

// The one exception type of the core: what failed, on which path, and the system's reason.
class Error : public std::exception {
 public:
  Error(ErrorKind kind, std::u16string path, std::string reason);
  Error(ErrorKind kind, std::u16string path, ErrorCause cause, std::string reason);
  // A path with a level the host cannot hold or reach: the reason is the name's problem.
  Error(ErrorKind kind, std::u16string path, const NameProblem& problem);

  ErrorKind kind() const { return kind_; }
  ErrorCause cause() const { return cause_; }
  // The path as the program names it (drive-letter form where there is one).
  const std::u16string& path() const { return path_; }
  // The system's reason in its own words (may be empty).
  const std::string& reason() const { return reason_; }
  // The name's problem where that is the reason, for the front ends to word.
  const std::optional<NameProblem>& name_problem() const { return name_problem_; }
  // A one-line English summary for logs and test failures.
  const char* what() const noexcept override { return summary_.c_str(); }

 private:
  ErrorKind kind_;
  ErrorCause cause_ = ErrorCause::kUnknown;
  std::u16string path_;
  std::string reason_;
  std::optional<NameProblem> name_problem_;
  std::string summary_;
};

// The system's text for an errno value.
std::string SystemReason(int error_number);

// The cause an errno value (or an error code that maps to one) stands for.
ErrorCause CauseOf(int error_number);
ErrorCause CauseOf(const std::error_code& code);

// The error of a failed system call: its cause and the system's text.
Error SystemError(ErrorKind kind, std::u16string path, int error_number);
Error SystemError(ErrorKind kind, std::u16string path, const std::error_code& code);

}  // namespace qe2m4::platform
