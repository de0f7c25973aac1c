#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "catalogue/text_id.h"

namespace qe2m4::catalogue {

// One of the catalogue's languages: English, the language the texts are written in, or one that
// a translator added as po/<domain>/<code>.po.
class Language {
 public:
  // The language of an ISO 639 code ("ja"); English for a code the catalogue has no texts for.
  static Language ForCode(std::string_view code);
  static Language English() { return Language(0); }

  std::string_view code() const;
  std::size_t index() const { return index_; }
  bool operator==(const Language&) const = default;

 private:
  explicit Language(std::size_t index) : index_(index) {}
  std::size_t index_;
};

// The user's language, chosen once, the first time it is asked for (platform::UserLanguageCode).
Language UserLanguage();

// A text in the user's language, or in the one given, as UTF-8; the English text where the
// language has no translation of it.
std::string_view Text(TextId id);
std::string_view Text(TextId id, Language language);

// Whether the language has its own text for the id (English has every text).
bool Translated(TextId id, Language language);

// The text with its placeholders replaced by the arguments: "%s" takes the next argument,
// "%2$s" the second, "%%" is one "%" (the placeholders gettext's c-format check knows, so that
// msgfmt --check finds a translation that lost or added one).
std::string Format(TextId id, std::initializer_list<std::string_view> arguments);
std::string Format(TextId id, Language language, std::initializer_list<std::string_view> arguments);

// The same, for any text with those placeholders.
std::string FormatText(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace qe2m4::catalogue
