#include "platform/error.h"

#include <cerrno>
#include <cstring>

#include "platform/utf8.h"

namespace qe2m4::platform {
namespace {

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kRead:
      return "cannot read";
    case ErrorKind::kWrite:
      return "cannot write";
    case ErrorKind::kCopy:
      return "cannot copy";
    case ErrorKind::kDelete:
      return "cannot delete";
    case ErrorKind::kCreateFolder:
      return "cannot create folder";
    case ErrorKind::kNoDrive:
      return "drive not usable";
    case ErrorKind::kBadPath:
      return "bad path";
    case ErrorKind::kShortFile:
      return "file too short";
    case ErrorKind::kOverflow:
      return "counter overflow";
  }
  return "error";
}

}  // namespace

Error::Error(ErrorKind kind, std::u16string path, std::string reason)
    : Error(kind, std::move(path), ErrorCause::kUnknown, std::move(reason)) {}

Error::Error(ErrorKind kind, std::u16string path, ErrorCause cause, std::string reason)
    : kind_(kind), cause_(cause), path_(std::move(path)), reason_(std::move(reason)) {
  summary_ = std::string(KindName(kind_)) + ": " + ToUtf8(path_);
  if (!reason_.empty()) {
    summary_ += ": " + reason_;
  }
}

Error::Error(ErrorKind kind, std::u16string path, const NameProblem& problem)
    : Error(kind, std::move(path), ErrorCause::kUnknown, NameProblemSummary(problem)) {
  name_problem_ = problem;
}

std::string SystemReason(int error_number) {
  // The batch calls this from several threads at once. The C libraries the program is built
  // with (glibc since 2.32, the Windows C runtime) give strerror a buffer per thread.
  return std::strerror(error_number);
}

ErrorCause CauseOf(int error_number) {
  switch (error_number) {
    case ENOENT:
      return ErrorCause::kNotFound;
    case EACCES:
    case EPERM:
      return ErrorCause::kAccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ErrorCause::kDiskFull;
    case EROFS:
      return ErrorCause::kReadOnly;
    case ENAMETOOLONG:
      return ErrorCause::kNameTooLong;
    case EBUSY:
    case ETXTBSY:
      return ErrorCause::kInUse;
    case EISDIR:
      return ErrorCause::kIsAFolder;
    case ENOTDIR:
      return ErrorCause::kNotAFolder;
    case ELOOP:
      return ErrorCause::kLinkLoop;
    case EIO:
      return ErrorCause::kIoError;
    case EFBIG:
      return ErrorCause::kFileTooLarge;
    case ENOMEM:
      return ErrorCause::kOutOfMemory;
    default:
      return ErrorCause::kUnknown;
  }
}

ErrorCause CauseOf(const std::error_code& code) {
  // The portable condition of a system's code is an errno value where one fits.
  const std::error_condition condition = code.default_error_condition();
  return condition.category() == std::generic_category() ? CauseOf(condition.value())
                                                         : ErrorCause::kUnknown;
}

Error SystemError(ErrorKind kind, std::u16string path, int error_number) {
  return Error(kind, std::move(path), CauseOf(error_number), SystemReason(error_number));
}

}  // namespace qe2m4::platform
