#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "batch/batch_entry.h"
#include "batch/soil_table.h"
#include "batch/soil_tally.h"
#include "platform/host_file.h"

namespace qe2m4::batch {

struct BatchTotals {
  std::int64_t converted = 0;
  std::int64_t refused = 0;
  std::int64_t failed = 0;
  std::int64_t not_run = 0;
  std::int64_t files = 0;
  std::int64_t lines = 0;
  std::int64_t read_layers = 0;  // layers the table of soil readings read
};

// The report of a batch, for a spreadsheet: UTF-8 with a BOM, one row per boring in the list's
// order (line, source, destination, result, messages, files written, lines written, the layer
// descriptions without a main soil, the layers the table of soil readings read), and beside it
// a table of those descriptions and of the descriptions read, with their readings, across the
// batch, most frequent first. Both files are complete or absent: they are written to
// temporary files beside them and take their names in Finish().
class BatchReport {
 public:
  // Throws platform::Error when the report cannot be created.
  BatchReport(const std::filesystem::path& path, const std::vector<BatchEntry>& entries);

  // Records the result of entries[index]; rows are written as soon as every earlier boring's
  // result is known, so only results that finished out of order wait in memory.
  void Add(std::size_t index, const BoringResult& result);
  // Writes a row for every boring without a result (it never started), then the table of
  // descriptions, and completes both files.
  void Finish();

  const BatchTotals& totals() const { return totals_; }
  const SoilTally& soil() const { return soil_; }
  const std::filesystem::path& soil_path() const { return soil_path_; }

  // The table of descriptions beside a report: "qe2m4-report.csv" gives
  // "qe2m4-report-soil.csv".
  static std::filesystem::path SoilTablePath(const std::filesystem::path& report);

 private:
  void WriteRow(std::size_t index, const BoringResult& result);

  const std::vector<BatchEntry>& entries_;
  std::filesystem::path soil_path_;
  platform::AtomicFile file_;
  std::size_t next_row_ = 0;
  std::map<std::size_t, BoringResult> waiting_;
  BatchTotals totals_;
  SoilTally soil_;
  ReadingTally readings_;
};

}  // namespace qe2m4::batch
