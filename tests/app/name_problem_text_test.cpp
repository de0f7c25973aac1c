// Why a name cannot be a level, as the user reads it: every problem in both languages, and the
// English wording the same as the exceptions' summary, so that logs and messages agree.
#include "app/name_problem_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qe2m4::app {
namespace {

using platform::NameProblem;
using platform::NameProblemKind;

TEST(NameProblemText, EveryProblemInBothLanguages) {
  const catalogue::Language japanese = catalogue::Language::ForCode("ja");
  ASSERT_NE(japanese, catalogue::Language::English());
  const struct {
    NameProblem problem;
    std::string english;
    std::string japanese;
  } cases[] = {
      {{NameProblemKind::kItself},
       "the name \".\" stands for the folder itself",
       "名前「.」はそのフォルダ自身を表します"},
      {{NameProblemKind::kAbove},
       "the name \"..\" stands for the folder above",
       "名前「..」は 1 つ上のフォルダを表します"},
      {{NameProblemKind::kSeparator, u'\\'},
       "the name holds the path separator \"\\\"",
       "名前にパスの区切り「\\」が含まれています"},
      {{NameProblemKind::kSeparator, u'/'},
       "the name holds the path separator \"/\"",
       "名前にパスの区切り「/」が含まれています"},
      {{NameProblemKind::kControlCharacter, u'\r'},
       "the name holds the control character U+000D",
       "名前に制御文字 U+000D が含まれています"},
      {{NameProblemKind::kControlCharacter, u'\x7F'},
       "the name holds the control character U+007F",
       "名前に制御文字 U+007F が含まれています"},
      {{NameProblemKind::kTwin},
       "another name in this folder reads as the same text",
       "このフォルダにある別の名前が同じ文字列として読まれます"},
      {{NameProblemKind::kEndsWithBlankOrDot, u'.'},
       "Windows cannot hold a name that ends with a blank or a dot",
       "Windows では空白またはピリオドで終わる名前は使えません"},
      {{NameProblemKind::kReservedCharacter, u'|'},
       "Windows cannot hold a name with the character '|'",
       "Windows では文字「|」を含む名前は使えません"},
      {{NameProblemKind::kDeviceName},
       "the name is a Windows device name",
       "名前が Windows のデバイス名になっています"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameProblemText(c.problem, catalogue::Language::English()), c.english);
    EXPECT_EQ(platform::NameProblemSummary(c.problem), c.english);
    EXPECT_EQ(NameProblemText(c.problem, japanese), c.japanese);
  }
}

}  // namespace
}  // namespace qe2m4::app
