#include "platform/user_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace qe2m4::platform {
namespace {

TEST(LanguageOfLocaleName, TakesTheLanguageOfTheName) {
  const std::map<std::string, std::string> cases = {
      {"ja_JP.UTF-8", "ja"},
      {"ja_JP.eucJP", "ja"},
      {"ja", "ja"},
      {"JA_jp", "ja"},
      {"ja_JP@euro", "ja"},
      {"ja-JP", "ja"},
      {"en_US.UTF-8", "en"},
      {"de_DE", "de"},
      {"C", ""},
      {"POSIX", ""},
      {"C.UTF-8", ""},
      {"", ""},
      {"j", ""},
      {"jap4n", ""},
      {"/usr/x", ""},
      {"japanese", ""},
  };
  for (const auto& [name, code] : cases) {
    EXPECT_EQ(LanguageOfLocaleName(name), code) << name;
  }
}

#ifndef _WIN32
// Sets the locale variables for one case and puts the test's own back afterwards.
class LocaleVariables {
 public:
  LocaleVariables() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
  }
  ~LocaleVariables() {
    for (const auto& [name, value] : saved_) {
      Set(name, value);
    }
  }
  static void Set(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name.c_str());
    }
  }
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(UserLanguageCode, TheFirstOfLcAllLcMessagesAndLangThatIsSetDecides) {
  using Value = std::optional<std::string>;
  struct Case {
    Value lc_all, lc_messages, lang;
    const char* expected;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, "ja_JP.UTF-8", "ja"},
      {std::nullopt, std::nullopt, "C", ""},
      {std::nullopt, std::nullopt, std::nullopt, ""},
      {"C", std::nullopt, "ja_JP.UTF-8", ""},
      {"POSIX", "ja_JP.UTF-8", "ja_JP.UTF-8", ""},
      {"", "", "ja_JP.UTF-8", "ja"},  // an empty variable is not set
      {std::nullopt, "ja_JP.UTF-8", "C", "ja"},
      {std::nullopt, "en_GB.UTF-8", "ja_JP.UTF-8", "en"},
      {"ja_JP.UTF-8", "C", "C", "ja"},
  };
  const LocaleVariables restore;
  for (const Case& c : cases) {
    LocaleVariables::Set("LC_ALL", c.lc_all);
    LocaleVariables::Set("LC_MESSAGES", c.lc_messages);
    LocaleVariables::Set("LANG", c.lang);
    EXPECT_EQ(UserLanguageCode(), c.expected)
        << c.lc_all.value_or("-") << " " << c.lc_messages.value_or("-") << " "
        << c.lang.value_or("-");
  }
}
#endif

}  // namespace
}  // namespace qe2m4::platform
