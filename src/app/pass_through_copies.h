#pragma once

#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// Copies the measurement files that need no conversion (N2, N8, N9 and N10, in any letter
// case) from the source folder into the destination folder, a block at a time, replacing files of
// those names, and lists each copy with its lines in the report. Stops between two files when an
// interrupt has come (platform::Interrupted).
void CopyPassThroughFiles(const platform::FileSystem& file_system,
                          const platform::DrivePath& source_folder,
                          const platform::DrivePath& destination_folder, ConversionReport& report);

}  // namespace qe2m4::app
