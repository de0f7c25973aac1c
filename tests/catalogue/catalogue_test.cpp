#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/catalogue_tables.h"

namespace qe2m4::catalogue {
namespace {

std::vector<Language> Languages() {
  std::vector<Language> languages;
  for (std::size_t i = 0; i < kLanguageCount; ++i) {
    languages.push_back(Language::ForCode(kLanguageCodes[i]));
  }
  return languages;
}

// The placeholders of a text in the order they are numbered: "%s" counts on, "%2$s" names one.
std::vector<int> Placeholders(std::string_view text) {
  std::vector<int> numbers;
  int next = 1;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') {
      continue;
    }
    if (text[i + 1] == '%') {
      ++i;
    } else if (text[i + 1] == 's') {
      numbers.push_back(next++);
    } else if (i + 3 < text.size() && text.substr(i + 2, 2) == "$s") {
      numbers.push_back(text[i + 1] - '0');
    }
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

TEST(Catalogue, HasEnglishAndJapanese) {
  EXPECT_EQ(Language::English().code(), "en");
  EXPECT_EQ(Language::ForCode("ja").code(), "ja");
  EXPECT_NE(Language::ForCode("ja"), Language::English());
  EXPECT_EQ(Language::ForCode("en"), Language::English());
  for (const char* code : {"", "xx", "JA", "ja_JP"}) {
    EXPECT_EQ(Language::ForCode(code), Language::English()) << code;
  }
}

TEST(Catalogue, EveryTextIsTranslatedIntoEveryLanguage) {
  for (const Language language : Languages()) {
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const auto id = static_cast<TextId>(i);
      EXPECT_TRUE(Translated(id, language))
          << language.code() << " has no text for: " << Text(id, Language::English());
      EXPECT_FALSE(Text(id, language).empty()) << language.code() << " " << i;
    }
  }
}

TEST(Catalogue, EveryTranslationKeepsThePlaceholders) {
  for (const Language language : Languages()) {
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const auto id = static_cast<TextId>(i);
      EXPECT_EQ(Placeholders(Text(id, language)), Placeholders(Text(id, Language::English())))
          << language.code() << ": " << Text(id, language);
    }
  }
}

TEST(Catalogue, JapaneseTextsAreJapanese) {
  EXPECT_EQ(Text(TextId::kCliErrorNoCommand, Language::English()), "no command given");
  EXPECT_EQ(Text(TextId::kCliErrorNoCommand, Language::ForCode("ja")),
            "コマンドが指定されていません");
}

TEST(Format, FillsThePlaceholdersInTheirOrder) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"unknown command: %s", "unknown command: A"},
      {"%s and %s", "A and B"},
      {"%2$s before %1$s", "B before A"},
      {"100%% of %s", "100% of A"},
      {"%s, %s, %s", "A, B, "},  // a missing argument is left empty
      {"%d stays", "%d stays"},
      {"ends with %", "ends with %"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatText(c.text, {"A", "B"}), c.expected) << c.text;
  }
  EXPECT_EQ(Format(TextId::kCliErrorUnknownCommand, Language::ForCode("ja"), {"export"}),
            "不明なコマンドです: export");
}

}  // namespace
}  // namespace qe2m4::catalogue
