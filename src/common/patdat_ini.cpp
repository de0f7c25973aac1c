#include "common/patdat_ini.h"

#include "common/record_reader.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {

std::u16string ReadPatdatIni(const platform::FileSystem& file_system) {
  const std::u16string system_folder = platform::QPRTrim(platform::SysDir(file_system));
  // Without a system folder there is no settings file to read.
  if (system_folder.empty()) {
    return {};
  }
  const std::u16string path = system_folder + u"\\Patdat32.ini";
  if (!file_system.FileExists(path) || file_system.FileSize(path) == 0) {
    return {};
  }
  RecordReader reader(file_system);
  if (reader.OpenRecordFile(path) != 0) {
    throw platform::Error(platform::ErrorKind::kRead, file_system.FullPath(path), {});
  }
  reader.ReadLine();  // the first line is a caption the program does not use
  std::u16string value;
  if (!reader.ReadItem(value)) {
    throw platform::Error(platform::ErrorKind::kShortFile, file_system.FullPath(path),
                          "no second line");
  }
  return platform::QPTrim(value);
}

}  // namespace qe2m4
