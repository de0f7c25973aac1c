#include "app/run_error_message.h"

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

std::u16string RunErrorMessage(const platform::Error& error) {
  std::u16string text(texts::kRunError);
  text += u'\n';
  text += KindText(error.kind());
  if (!error.path().empty()) {
    text += u'\n';
    text += error.path();
  }
  if (!error.reason().empty()) {
    text += u'\n';
    text += platform::FromUtf8(error.reason());
  }
  return text;
}

}  // namespace qe2m4::app
