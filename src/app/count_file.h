#pragma once

#include <string>
#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4::platform {
class DrivePath;
class FileSystem;
}  // namespace qe2m4::platform

namespace qe2m4::app {

// Fields 5 and 6 of the source's CNT.TXT, after the rule for field 5.
struct CountFields {
  std::u16string f5;
  std::u16string f6;
};

// Reads fields 5 and 6 of the source folder's CNT.TXT with the record field rules. A missing or
// empty file gives empty fields (nothing is created), and so do fields the file does not
// reach. A field 5 whose leading number is above 20 becomes "2". Throws platform::Error when
// the file exists but cannot be read.
CountFields ReadSourceCount(const platform::FileSystem& file_system,
                            const platform::DrivePath& source_folder);

// Writes CNT.TXT into the destination folder: the first two characters of the third level of
// destination_text (the checked destination path, the drive being the first level), the
// fourth and fifth levels, an empty line, field 5 and field 6; records the file in the report.
// The levels are those of the text as the user gave it, "." and ".." as written.
void WriteDestinationCount(const platform::FileSystem& file_system,
                           const platform::DrivePath& destination_folder,
                           std::u16string_view destination_text, const CountFields& fields,
                           ConversionReport& report);

}  // namespace qe2m4::app
