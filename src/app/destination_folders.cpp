#include "app/destination_folders.h"

#include <vector>

#include "app/texts.h"
#include "common/path_utils.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/temporary_names.h"
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

DestinationSetUp SetUpDestination(const platform::FileSystem& file_system,
                                  platform::UserInterface& ui, std::u16string_view destination_path,
                                  std::optional<platform::DestinationLock>& lock) {
  file_system.CheckPathLimits(destination_path);
  const bool folders_ready = PrepareDestinationFolders(file_system, ui, destination_path);
  platform::StopIfInterrupted();
  if (!folders_ready) {
    return DestinationSetUp::kDeclined;
  }
  const std::filesystem::path folder = file_system.Resolve(destination_path);
  lock.emplace(folder, file_system.FullPath(destination_path));
  if (!lock->acquired()) {
    return DestinationSetUp::kBusy;
  }
  platform::RemoveStaleTemporaryFiles(folder);
  return DestinationSetUp::kReady;
}

}  // namespace qe2m4::app
