#pragma once

#include <exception>
#include <string>
#include <system_error>

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

// The one exception type of the core: what failed, on which path, and the system's reason.
class Error : public std::exception {
 public:
  Error(ErrorKind kind, std::u16string path, std::string reason);

  ErrorKind kind() const { return kind_; }
  // The path as the program names it (drive-letter form where there is one).
  const std::u16string& path() const { return path_; }
  // The system's reason in its own words (may be empty).
  const std::string& reason() const { return reason_; }
  // A one-line English summary for logs and test failures.
  const char* what() const noexcept override { return summary_.c_str(); }

 private:
  ErrorKind kind_;
  std::u16string path_;
  std::string reason_;
  std::string summary_;
};

// The system's text for an errno value.
std::string SystemReason(int error_number);
// The system's text for an error the standard library reports, as UTF-8.
std::string SystemReason(const std::error_code& error);

}  // namespace qe2m4::platform
