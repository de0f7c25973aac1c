#include "app/destination_folders.h"

#include <vector>

#include "app/texts.h"
#include "common/path_utils.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"

namespace qe2m4::app {
namespace {

// The paths of the levels below the drive, top down: "D:\A", "D:\A\B", ... The path ends with
// "\", so its last part is empty and the last prefix ("D:\A\B\") names the folder before it.
std::vector<std::u16string> LevelPrefixes(std::u16string_view destination_path) {
  const std::vector<std::u16string> parts = SplitPath(destination_path, u"\\");
  std::vector<std::u16string> prefixes;
  std::u16string prefix = parts.front();
  for (std::size_t i = 1; i < parts.size(); ++i) {
    prefix += u'\\';
    prefix += parts[i];
    prefixes.push_back(prefix);
  }
  return prefixes;
}

}  // namespace

bool PrepareDestinationFolders(const platform::FileSystem& file_system, platform::UserInterface& ui,
                               std::u16string_view destination_path) {
  const std::vector<std::u16string> prefixes = LevelPrefixes(destination_path);
  bool missing = false;
  for (const std::u16string& prefix : prefixes) {
    if (!file_system.Exists(prefix)) {
      missing = true;
      break;
    }
  }
  if (!missing) {
    return true;
  }
  const platform::MessageAnswer answer =
      ui.ShowMessage(texts::kCreateFolders, std::nullopt, platform::MessageButtons::kYesNo,
                     platform::MessageIcon::kQuestion);
  if (answer != platform::MessageAnswer::kYes) {
    return false;
  }
  for (const std::u16string& prefix : prefixes) {
    if (!file_system.Exists(prefix)) {
      file_system.CreateFolder(prefix);
    }
  }
  return true;
}

}  // namespace qe2m4::app
