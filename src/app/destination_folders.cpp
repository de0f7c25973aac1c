#include "app/destination_folders.h"

#include <vector>

#include "app/texts.h"
#include "common/path_utils.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/user_interface.h"

namespace qe2m4::app {
namespace {

// The paths of the levels below the drive, top down: "D:\A", "D:\A\B", ... The text ends with
// "\", so its last part is empty and the last prefix names the folder before it.
std::vector<platform::DrivePath> LevelPrefixes(std::u16string_view destination_text) {
  std::vector<platform::DrivePath> prefixes;
  if (destination_text.empty()) {
    return prefixes;
  }
  const std::vector<std::u16string> parts = SplitPath(destination_text, u"\\");
  // A checked path begins with its drive letter and ":".
  platform::DrivePath prefix(destination_text.front());
  for (std::size_t i = 1; i < parts.size(); ++i) {
    prefix = prefix.Join(parts[i]);
    prefixes.push_back(prefix);
  }
  return prefixes;
}

}  // namespace

bool PrepareDestinationFolders(const platform::FileSystem& file_system, platform::UserInterface& ui,
                               std::u16string_view destination_text) {
  const std::vector<platform::DrivePath> prefixes = LevelPrefixes(destination_text);
  bool missing = false;
  for (const platform::DrivePath& prefix : prefixes) {
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
  for (const platform::DrivePath& prefix : prefixes) {
    if (!file_system.Exists(prefix)) {
      file_system.CreateFolder(prefix);
    }
  }
  return true;
}

DestinationSetUp SetUpDestination(const platform::FileSystem& file_system,
                                  platform::UserInterface& ui, std::u16string_view destination_text,
                                  const platform::DrivePath& destination_folder,
                                  std::optional<platform::DestinationLock>& lock) {
  file_system.CheckPathLimits(destination_folder);
  const bool folders_ready = PrepareDestinationFolders(file_system, ui, destination_text);
  platform::StopIfInterrupted();
  if (!folders_ready) {
    return DestinationSetUp::kDeclined;
  }
  const std::filesystem::path folder = file_system.Resolve(destination_folder);
  lock.emplace(folder, destination_folder.Text());
  if (!lock->acquired()) {
    return DestinationSetUp::kBusy;
  }
  file_system.RemoveStaleTemporaryFiles(destination_folder);
  return DestinationSetUp::kReady;
}

}  // namespace qe2m4::app
