#include "catalogue/catalogue.h"

#include "catalogue/catalogue_tables.h"
#include "platform/user_language.h"

namespace qe2m4::catalogue {

Language Language::ForCode(std::string_view code) {
  for (std::size_t i = 0; i < kLanguageCount; ++i) {
    if (code == kLanguageCodes[i]) {
      return Language(i);
    }
  }
  return English();
}

std::string_view Language::code() const {
  return kLanguageCodes[index_];
}

Language UserLanguage() {
  // The environment and the UI language do not change while the program runs.
  static const Language language = Language::ForCode(platform::UserLanguageCode());
  return language;
}

std::string_view Text(TextId id) {
  return Text(id, UserLanguage());
}

std::string_view Text(TextId id, Language language) {
  const std::size_t i = static_cast<std::size_t>(id);
  const char* const text = kTexts[language.index()][i];
  return text != nullptr ? text : kTexts[0][i];
}

bool Translated(TextId id, Language language) {
  return kTexts[language.index()][static_cast<std::size_t>(id)] != nullptr;
}

std::string Format(TextId id, std::initializer_list<std::string_view> arguments) {
  return FormatText(Text(id), arguments);
}

std::string Format(TextId id, Language language,
                   std::initializer_list<std::string_view> arguments) {
  return FormatText(Text(id, language), arguments);
}

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string out;
  std::size_t next = 0;
  const auto append = [&](std::size_t argument) {
    if (argument < arguments.size()) {
      out += *(arguments.begin() + argument);
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string_view rest = text.substr(i + 1);
    if (text[i] != '%') {
      out += text[i];
    } else if (rest.starts_with('%')) {
      out += '%';
      i += 1;
    } else if (rest.starts_with('s')) {
      append(next++);
      i += 1;
    } else if (rest.size() >= 3 && rest[0] >= '1' && rest[0] <= '9' && rest.substr(1, 2) == "$s") {
      append(static_cast<std::size_t>(rest[0] - '1'));
      i += 3;
    } else {
      out += '%';
    }
  }
  return out;
}

}  // namespace qe2m4::catalogue
