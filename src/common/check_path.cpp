#include "common/check_path.h"

#include "common/ansi_text.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {

PathCheck CheckPath(platform::FileSystem& file_system, std::u16string& path) {
  path = platform::QPTrim(path);
  if (AnsiMid(path, 2, 1) != u":") {
    return PathCheck::kBadDriveName;
  }
  if (path.find(u'*') != std::u16string::npos || path.find(u'?') != std::u16string::npos) {
    return PathCheck::kRejected;
  }
  if (path.size() > 2 && path[2] != u'\\') {
    path.insert(2, 1, u'\\');
  }
  try {
    file_system.SetCurrentDrive(path[0]);
  } catch (const platform::Error&) {
    return PathCheck::kRejected;
  }
  if (path.back() != u'\\') {
    path += u'\\';
  }
  if (path.size() == 3) {
    return PathCheck::kAccepted;
  }
  if (path.find(u"\\\\") != std::u16string::npos) {
    return PathCheck::kRejected;
  }
  return PathCheck::kAccepted;
}

}  // namespace qe2m4
