#include "batch/batch_summary.h"

#include "app/texts.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

constexpr std::size_t kMostFrequent = 10;

std::u16string Number(std::int64_t value) {
  return platform::FromUtf8(std::to_string(value));
}

std::u16string RightAligned(std::int64_t value, std::size_t width) {
  const std::u16string text = Number(value);
  return std::u16string(text.size() < width ? width - text.size() : 0, u' ') + text;
}

}  // namespace

std::vector<std::u16string> SummaryLines(const BatchReport& report,
                                         const std::filesystem::path& report_path,
                                         const std::optional<ListSource>& list) {
  namespace texts = app::texts;
  const BatchTotals& totals = report.totals();
  const std::int64_t all = totals.converted + totals.refused + totals.failed + totals.not_run;
  std::vector<std::u16string> lines;
  lines.push_back(std::u16string(texts::kBatchConverted) + u" " + Number(totals.converted) + u"、" +
                  std::u16string(texts::kBatchRefused) + u" " + Number(totals.refused) + u"、" +
                  std::u16string(texts::kBatchFailed) + u" " + Number(totals.failed) + u"、" +
                  std::u16string(texts::kBatchNotRun) + u" " + Number(totals.not_run) + u"（" +
                  Number(all) + u" " + std::u16string(texts::kSummaryBorings) + u"）");
  lines.push_back(std::u16string(texts::kSummaryFiles) + u" " + Number(totals.files) + u"、" +
                  std::u16string(texts::kSummaryLines) + u" " + Number(totals.lines));
  if (totals.read_layers > 0) {
    lines.push_back(std::u16string(texts::kReadCount) + Number(totals.read_layers) +
                    std::u16string(texts::kReadCountUnit));
  }
  const std::vector<UnmatchedDescription> descriptions = report.soil().MostFrequentFirst();
  lines.push_back(std::u16string(texts::kSummaryDescriptions) + Number(descriptions.size()) + u" " +
                  std::u16string(texts::kSummaryKinds));
  for (std::size_t i = 0; i < descriptions.size() && i < kMostFrequent; ++i) {
    lines.push_back(RightAligned(descriptions[i].times, 7) + u" " +
                    RightAligned(descriptions[i].borings, 6) + u"  " + descriptions[i].description);
  }
  if (list) {
    lines.push_back(std::u16string(texts::kSummaryList) + platform::PathText(list->path) + u"（" +
                    platform::FromUtf8(common::EncodingName(list->encoding)) + u"）");
  }
  lines.push_back(std::u16string(texts::kSummaryReport) + platform::PathText(report_path) + u"、" +
                  platform::PathText(report.soil_path()));
  return lines;
}

}  // namespace qe2m4::batch
