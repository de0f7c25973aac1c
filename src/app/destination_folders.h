#pragma once

#include <optional>
#include <string_view>

#include "platform/destination_lock.h"
#include "platform/drive_path.h"

namespace qe2m4::platform {
class FileSystem;
class UserInterface;
}  // namespace qe2m4::platform

namespace qe2m4::app {

// Makes sure every level of a checked destination path ("D:\A\B\") exists, level by level as
// the text names them (a level ".." names the folder above the one before it). When some level
// is missing the user is asked once; Yes creates every missing level from the top down.
// Returns false when the user answered No (nothing is created then). A file with the name of
// a level counts as present.
bool PrepareDestinationFolders(const platform::FileSystem& file_system, platform::UserInterface& ui,
                               std::u16string_view destination_text);

enum class DestinationSetUp {
  kReady,     // the folder exists, this run holds its lock, no stale temporary file is left
  kDeclined,  // the user answered No to the folder question: nothing was created
  kBusy,      // another run holds the folder
};

// Readies a checked destination folder before the run's first write: refuses (Error) a path
// the system cannot hold before any folder is made for it; makes the missing levels after the
// one question; takes the folder's lock into lock, held until the run ends however it ends;
// and, with the lock held, removes the temporary files of this program's naming, which only
// runs that no longer exist (killed, or a power cut) can have left. An interrupt during the
// question ends the run (platform::Interrupted): that is no answer of the user's.
DestinationSetUp SetUpDestination(const platform::FileSystem& file_system,
                                  platform::UserInterface& ui, std::u16string_view destination_text,
                                  const platform::DrivePath& destination_folder,
                                  std::optional<platform::DestinationLock>& lock);

}  // namespace qe2m4::app
