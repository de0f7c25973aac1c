#include "common/patdat_ini.h"

#include <utility>

#include "common/record_reader.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {

PatdatIni ReadPatdatIni(const platform::FileSystem& file_system) {
  PatdatIni ini;
  const std::u16string system_folder = platform::QPRTrim(platform::SysDir(file_system));
  // Without a system folder there is no settings file to read.
  if (system_folder.empty()) {
    return ini;
  }
  ini.path = system_folder + u"\\Patdat32.ini";
  // A FIFO would hang the run and a huge file would fill the memory: neither is read.
  auto settings = file_system.ReadSettingsFile(ini.path, kPatdatIniMaxBytes);
  ini.path = file_system.FullPath(ini.path);
  using State = platform::SettingsText::State;
  if (settings.state == State::kIgnored) {
    ini.state = PatdatIni::State::kIgnored;
    return ini;
  }
  // The text read for the checks is the one parsed: the file is opened once.
  RecordReader reader(file_system);
  if (settings.state == State::kMissing || reader.OpenBytes(std::move(settings.text)) != 0) {
    return ini;
  }
  reader.ReadLine();  // the first line is a caption the program does not use
  std::u16string value;
  if (!reader.ReadItem(value)) {
    throw platform::Error(platform::ErrorKind::kShortFile, ini.path, "no second line");
  }
  ini.state = PatdatIni::State::kRead;
  ini.value = platform::QPTrim(value);
  return ini;
}

}  // namespace qe2m4
