#include "platform/error.h"

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
    : kind_(kind), path_(std::move(path)), reason_(std::move(reason)) {
  summary_ = std::string(KindName(kind_)) + ": " + ToUtf8(path_);
  if (!reason_.empty()) {
    summary_ += ": " + reason_;
  }
}

std::string SystemReason(int error_number) {
  // strerror is not required to be reentrant, but the program runs on one thread.
  return std::strerror(error_number);
}

}  // namespace qe2m4::platform
