#pragma once

#include <string_view>

#include "common/conversion_context.h"

namespace qe2m4 {

// Converts the source's X7.TXT into N7.txt.
void ConvertX7File(ConversionContext& context, std::u16string_view source_path);

}  // namespace qe2m4
