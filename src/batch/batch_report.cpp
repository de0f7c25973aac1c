#include "batch/batch_report.h"

#include <string>

#include "app/texts.h"
#include "batch/csv_fields.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::u16string Number(std::int64_t value) {
  return platform::FromUtf8(std::to_string(value));
}

std::u16string_view OutcomeText(BoringOutcome outcome) {
  switch (outcome) {
    case BoringOutcome::kConverted:
      return app::texts::kBatchConverted;
    case BoringOutcome::kRefused:
      return app::texts::kBatchRefused;
    case BoringOutcome::kFailed:
      return app::texts::kBatchFailed;
    case BoringOutcome::kNotRun:
      break;
  }
  return app::texts::kBatchNotRun;
}

// Texts joined by line ends: one cell that a spreadsheet shows as lines.
std::u16string Lines(const std::vector<std::u16string>& texts) {
  std::u16string joined;
  for (const std::u16string& text : texts) {
    if (!joined.empty()) {
      joined += u'\n';
    }
    joined += text;
  }
  return joined;
}

void WriteCsvLine(platform::AtomicFile& file, const std::vector<std::u16string>& cells) {
  std::u16string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) {
      line += u',';
    }
    line += CsvField(cells[i]);
  }
  file.Write(platform::ToUtf8(line + u"\r\n"));
}

std::u16string Display(const std::filesystem::path& path) {
  return platform::PathText(path);
}

}  // namespace

std::filesystem::path BatchReport::SoilTablePath(const std::filesystem::path& report) {
  // Host path parts throughout: the name keeps every character on every system.
  std::filesystem::path name = report.filename();
  if (report.extension() == ".csv" || report.extension() == ".CSV") {
    name = report.stem();
  }
  name += "-soil.csv";
  return report.parent_path() / name;
}

BatchReport::BatchReport(const std::filesystem::path& path, const std::vector<BatchEntry>& entries)
    : entries_(entries), soil_path_(SoilTablePath(path)), file_(path, Display(path)) {
  file_.Write(kBom);
  file_.Write(platform::ToUtf8(std::u16string(app::texts::kReportColumns) + u"\r\n"));
}

void BatchReport::Add(std::size_t index, const BoringResult& result) {
  if (index != next_row_) {
    waiting_.emplace(index, result);
    return;
  }
  WriteRow(index, result);
  ++next_row_;
  for (auto it = waiting_.begin(); it != waiting_.end() && it->first == next_row_;
       it = waiting_.erase(it)) {
    WriteRow(it->first, it->second);
    ++next_row_;
  }
}

void BatchReport::Finish() {
  for (; next_row_ < entries_.size(); ++next_row_) {
    const auto it = waiting_.find(next_row_);
    WriteRow(next_row_, it == waiting_.end() ? BoringResult{} : it->second);
  }
  waiting_.clear();

  platform::AtomicFile table(soil_path_, Display(soil_path_));
  table.Write(kBom);
  table.Write(platform::ToUtf8(std::u16string(app::texts::kSoilColumns) + u"\r\n"));
  for (const SoilTableRow& row : SoilTableRows(soil_, readings_)) {
    WriteCsvLine(table, {SpreadsheetText(row.description), Number(row.times), Number(row.borings),
                         SpreadsheetText(row.reading)});
  }
  table.Commit();
  file_.Commit();
}

void BatchReport::WriteRow(std::size_t index, const BoringResult& result) {
  const BatchEntry& entry = entries_[index];
  std::vector<std::u16string> unmatched;
  for (const UnmatchedLayer& layer : result.unmatched_layers) {
    unmatched.push_back(Number(layer.record) + u": " + layer.description);
  }
  // Texts (the paths, the messages, the descriptions) are kept texts; the counts are numbers.
  WriteCsvLine(
      file_, {Number(entry.line), SpreadsheetText(entry.source), SpreadsheetText(entry.destination),
              std::u16string(OutcomeText(result.outcome)), SpreadsheetText(Lines(result.messages)),
              Number(result.files), Number(result.lines), SpreadsheetText(Lines(unmatched)),
              Number(static_cast<std::int64_t>(result.read_layers.size()))});
  switch (result.outcome) {
    case BoringOutcome::kConverted:
      ++totals_.converted;
      break;
    case BoringOutcome::kRefused:
      ++totals_.refused;
      break;
    case BoringOutcome::kFailed:
      ++totals_.failed;
      break;
    case BoringOutcome::kNotRun:
      ++totals_.not_run;
      break;
  }
  totals_.files += result.files;
  totals_.lines += result.lines;
  totals_.read_layers += static_cast<std::int64_t>(result.read_layers.size());
  soil_.Add(result);
  readings_.Add(result);
}

}  // namespace qe2m4::batch
