#pragma once

#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4 {

// Converts the source's X6.TXT into N6.txt with the marks of the L9.txt name table of the
// pattern folder named in Patdat32.ini.
void ConvertX6File(ConversionContext& context, const platform::DrivePath& source_folder);

}  // namespace qe2m4
