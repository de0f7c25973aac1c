#pragma once

#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4 {

// Converts the source's X7.TXT into N7.txt.
void ConvertX7File(ConversionContext& context, const platform::DrivePath& source_folder);

}  // namespace qe2m4
