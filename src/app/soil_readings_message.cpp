#include "app/soil_readings_message.h"

#include "app/run_error_message.h"
#include "app/texts.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::app {
namespace {

using Kind = SoilReadingsProblem::Kind;

std::u16string Reason(const SoilReadingsProblem& problem) {
  switch (problem.kind) {
    case Kind::kMissing:
      return std::u16string(texts::kCauseNotFound);
    case Kind::kUnreadable: {
      const std::u16string_view cause = CauseText(problem.cause);
      if (!cause.empty()) {
        return std::u16string(cause);
      }
      // The system's own words where the cause is not a common one.
      std::u16string text(texts::kErrorRead);
      if (!problem.reason.empty()) {
        text += u'\n' + platform::FromUtf8(problem.reason);
      }
      return text;
    }
    case Kind::kNotAFile:
      return std::u16string(texts::kCauseNotAFile);
    case Kind::kTooLarge:
      return std::u16string(texts::kReadingsTooLarge);
    case Kind::kBadText:
      return platform::FromUtf8(problem.encoding) + std::u16string(texts::kReadingsBadText);
    case Kind::kBadQuote:
      return std::u16string(texts::kReadingsBadQuote);
    case Kind::kNoColumn:
      return std::u16string(texts::kReadingsColumnBefore) + problem.column +
             std::u16string(texts::kReadingsNoColumn);
    case Kind::kTwoColumns:
      return std::u16string(texts::kReadingsColumnBefore) + problem.column +
             std::u16string(texts::kReadingsTwoColumns);
    case Kind::kTwoReadings:
      return std::u16string(texts::kReadingsTwoReadings);
  }
  return {};
}

}  // namespace

std::u16string SoilReadingsProblemMessage(const SoilReadingsProblem& problem,
                                          const std::filesystem::path& file) {
  std::u16string text = std::u16string(texts::kReadingsUnusable) + u'\n' + platform::PathText(file);
  text += u'\n';
  for (std::size_t i = 0; i < problem.lines.size(); ++i) {
    if (i > 0) {
      text += u"、";
    }
    text += platform::FromUtf8(std::to_string(problem.lines[i]));
    text += texts::kReadingsLine;
  }
  if (!problem.lines.empty()) {
    text += u"：";
  }
  return text + Reason(problem);
}

}  // namespace qe2m4::app
