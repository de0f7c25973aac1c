#include "app/window/qt_text.h"

namespace qe2m4::window {

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16(const QString& text) {
  return text.toStdU16String();
}

}  // namespace qe2m4::window
