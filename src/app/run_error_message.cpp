#include "app/run_error_message.h"

#include <new>

#include "app/name_problem_text.h"
#include "app/texts.h"
#include "platform/error.h"
#include "platform/utf8.h"

namespace qe2m4::app {
namespace {

std::u16string_view KindText(platform::ErrorKind kind) {
  switch (kind) {
    case platform::ErrorKind::kRead:
      return texts::kErrorRead;
    case platform::ErrorKind::kWrite:
      return texts::kErrorWrite;
    case platform::ErrorKind::kCopy:
      return texts::kErrorCopy;
    case platform::ErrorKind::kDelete:
      return texts::kErrorDelete;
    case platform::ErrorKind::kCreateFolder:
      return texts::kErrorCreateFolder;
    case platform::ErrorKind::kNoDrive:
      return texts::kErrorNoDrive;
    case platform::ErrorKind::kBadPath:
      return texts::kErrorBadPath;
    case platform::ErrorKind::kShortFile:
      return texts::kErrorShortFile;
    case platform::ErrorKind::kOverflow:
      return texts::kErrorOverflow;
  }
  return texts::kErrorRead;
}

}  // namespace

std::u16string_view CauseText(platform::ErrorCause cause) {
  using platform::ErrorCause;
  switch (cause) {
    case ErrorCause::kUnknown:
      return {};
    case ErrorCause::kNotFound:
      return texts::kCauseNotFound;
    case ErrorCause::kAccessDenied:
      return texts::kCauseAccessDenied;
    case ErrorCause::kDiskFull:
      return texts::kCauseDiskFull;
    case ErrorCause::kReadOnly:
      return texts::kCauseReadOnly;
    case ErrorCause::kNameTooLong:
      return texts::kCauseNameTooLong;
    case ErrorCause::kInUse:
      return texts::kCauseInUse;
    case ErrorCause::kNotAFile:
      return texts::kCauseNotAFile;
    case ErrorCause::kIsAFolder:
      return texts::kCauseIsAFolder;
    case ErrorCause::kNotAFolder:
      return texts::kCauseNotAFolder;
    case ErrorCause::kLinkLoop:
      return texts::kCauseLinkLoop;
    case ErrorCause::kIoError:
      return texts::kCauseIoError;
    case ErrorCause::kFileTooLarge:
      return texts::kCauseFileTooLarge;
    case ErrorCause::kOutOfMemory:
      return texts::kCauseOutOfMemory;
  }
  return {};
}

std::u16string RunErrorMessage(const platform::Error& error) {
  std::u16string text(texts::kRunError);
  text += u'\n';
  text += KindText(error.kind());
  if (!error.path().empty()) {
    text += u'\n';
    text += error.path();
  }
  // The reason in the user's words where the cause is a common one; the system's own text
  // only when there is nothing better.
  const std::u16string_view cause = CauseText(error.cause());
  if (!cause.empty()) {
    text += u'\n';
    text += cause;
  } else if (error.name_problem()) {
    text += u'\n';
    text += platform::FromUtf8(NameProblemText(*error.name_problem()));
  } else if (!error.reason().empty()) {
    text += u'\n';
    text += platform::FromUtf8(error.reason());
  }
  return text;
}

std::u16string RunErrorMessage(const std::exception& error) {
  std::u16string text(texts::kRunError);
  text += u'\n';
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
    text += texts::kCauseOutOfMemory;
  } else {
    text += platform::FromUtf8(error.what());
  }
  return text;
}

}  // namespace qe2m4::app
