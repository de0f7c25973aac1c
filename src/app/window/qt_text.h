#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qe2m4::window {

// The program's texts are UTF-16 like Qt's, so these conversions only copy.
QString ToQString(std::u16string_view text);
std::u16string ToU16(const QString& text);

}  // namespace qe2m4::window
