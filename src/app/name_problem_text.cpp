#include "app/name_problem_text.h"

#include "platform/utf8.h"

namespace qe2m4::app {

std::string NameProblemText(const platform::NameProblem& problem, catalogue::Language language) {
  using catalogue::Format;
  using catalogue::Text;
  using catalogue::TextId;
  using platform::NameProblemKind;
  switch (problem.kind) {
    case NameProblemKind::kItself:
      return std::string(Text(TextId::kNamesItself, language));
    case NameProblemKind::kAbove:
      return std::string(Text(TextId::kNamesAbove, language));
    case NameProblemKind::kSeparator:
      return Format(TextId::kNamesSeparator, language, {problem.character == u'/' ? "/" : "\\"});
    case NameProblemKind::kControlCharacter:
      // By its number: the character itself would act on a terminal instead of showing.
      return Format(TextId::kNamesControlCharacter, language,
                    {platform::CharacterCode(problem.character)});
    case NameProblemKind::kTwin:
      return std::string(Text(TextId::kNamesTwin, language));
    case NameProblemKind::kEndsWithBlankOrDot:
      return std::string(Text(TextId::kNamesEndsWithBlankOrDot, language));
    case NameProblemKind::kReservedCharacter:
      return Format(TextId::kNamesReservedCharacter, language,
                    {platform::ToUtf8(std::u16string(1, problem.character))});
    case NameProblemKind::kDeviceName:
      return std::string(Text(TextId::kNamesDeviceName, language));
  }
  return platform::NameProblemSummary(problem);
}

}  // namespace qe2m4::app
