#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/conversion_context.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// Copies the measurement files that need no conversion (N2, N8, N9 and N10, in any letter
// case) from the source folder into the destination folder, replacing files of those names,
// and records each copy in the report.
//
// Both stop between two files when an interrupt has come (platform::Interrupted).
void CopyPassThroughFiles(const platform::FileSystem& file_system, std::u16string_view source_path,
                          std::u16string_view destination_path, ConversionReport& report);

// Copies every file matching "Titl0?.txt" from the source folder into the destination folder
// for the title conversion. The copies of titl01/02/03.txt are consumed by that conversion;
// every other copy stays and is recorded in the report. Returns the names copied.
std::vector<std::u16string> CopyTitleFiles(const platform::FileSystem& file_system,
                                           std::u16string_view source_path,
                                           std::u16string_view destination_path,
                                           ConversionReport& report);

}  // namespace qe2m4::app
