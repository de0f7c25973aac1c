#pragma once

#include <string>
#include <string_view>

namespace qe2m4::platform {
class FileSystem;
class UserInterface;
}  // namespace qe2m4::platform

namespace qe2m4::app {

// Makes sure every level of a checked destination path ("D:\A\B\") exists. When some level
// is missing the user is asked once; Yes creates every missing level from the top down.
// Returns false when the user answered No (nothing is created then). A file with the name of
// a level counts as present.
bool PrepareDestinationFolders(const platform::FileSystem& file_system, platform::UserInterface& ui,
                               std::u16string_view destination_path);

}  // namespace qe2m4::app
