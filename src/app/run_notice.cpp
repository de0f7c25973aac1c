#include "app/run_notice.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/texts.h"
#include "platform/utf8.h"

namespace qe2m4::app {
namespace {

std::u16string Number(std::int64_t value) {
  return platform::FromUtf8(std::to_string(value));
}

std::u16string NotWrittenLine(const NotWrittenFile& file) {
  const std::u16string_view why = file.reason == NotWrittenFile::Reason::kPatdatIniIgnored
                                      ? texts::kNotWrittenPatdatIniIgnored
                                      : texts::kNotWrittenNoPatdatIni;
  std::u16string line = u"  " + file.name + u": " + std::u16string(why);
  if (!file.settings.empty()) {
    line += u" (" + file.settings + u")";
  }
  return line;
}

// "  13: 粘板岩", or "  13: 粘板岩 → 岩盤" when the table read it (and the reading found no main
// soil either).
std::u16string UnmatchedLine(const UnmatchedLayer& layer, const std::vector<ReadLayer>& read) {
  std::u16string line = u"  " + Number(layer.record) + u": " + layer.description;
  const auto it =
      std::lower_bound(read.begin(), read.end(), layer.record,
                       [](const ReadLayer& r, std::int64_t record) { return r.record < record; });
  if (it != read.end() && it->record == layer.record) {
    line += u" → " + it->reading;
  }
  return line;
}

}  // namespace

std::optional<std::u16string> RunNotice(const ConversionReport& report) {
  std::vector<std::u16string> before;
  if (!report.not_written.empty()) {
    before.emplace_back(texts::kSummaryNotWritten);
    for (const NotWrittenFile& file : report.not_written) {
      before.push_back(NotWrittenLine(file));
    }
  }
  std::vector<std::u16string> after;
  if (!report.read_layers.empty()) {
    after.push_back(std::u16string(texts::kReadCount) +
                    Number(static_cast<std::int64_t>(report.read_layers.size())) +
                    std::u16string(texts::kReadCountUnit));
  }
  const std::vector<UnmatchedLayer>& unmatched = report.unmatched_layers;
  if (before.empty() && after.empty() && unmatched.empty()) {
    return std::nullopt;
  }

  std::vector<std::u16string> lines = std::move(before);
  if (!unmatched.empty()) {
    lines.emplace_back(texts::kSummaryUnmatched);
    // Room for the layers once the other lines and the header are counted; when they do not
    // all fit, the last line says how many were left out.
    const std::size_t fixed = lines.size() + after.size();
    std::size_t shown = unmatched.size();
    if (fixed + shown > kNoticeMaxLines) {
      shown = kNoticeMaxLines > fixed + 1 ? kNoticeMaxLines - fixed - 1 : 0;
    }
    for (std::size_t i = 0; i < shown; ++i) {
      lines.push_back(UnmatchedLine(unmatched[i], report.read_layers));
    }
    if (shown < unmatched.size()) {
      lines.push_back(u"  " + std::u16string(texts::kMoreBefore) +
                      Number(static_cast<std::int64_t>(unmatched.size() - shown)) +
                      std::u16string(texts::kMoreAfter));
    }
  }
  lines.insert(lines.end(), after.begin(), after.end());

  std::u16string text;
  for (const std::u16string& line : lines) {
    if (!text.empty()) {
      text += u'\n';
    }
    text += line;
  }
  return text;
}

}  // namespace qe2m4::app
