// Time of the measurement-file conversion of a large boring, as a function of its size: the
// converters make one pass over each input, so the time per record should stay flat.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/conversion_context.h"
#include "common/record_reader.h"
#include "measurements/measurement_files.h"
#include "platform/cp932.h"
#include "platform/file_system.h"
#include "soil/inclusion_table.h"

namespace {
namespace fs = std::filesystem;

// A temporary source and destination folder mapped as drives S: and D:, removed afterwards.
class BenchMachine {
 public:
  explicit BenchMachine(std::int64_t records) : fs_(qe2m4::platform::DriveTable()) {
    std::string pattern = (fs::temp_directory_path() / "qe2m4-bench-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    fs::create_directories(root_ / "S");
    fs::create_directories(root_ / "D");
    fs_.MapDrive(u'S', root_ / "S");
    fs_.MapDrive(u'D', root_ / "D");
    Write("X1.TXT", records, [](std::int64_t i) {
      return std::to_string(i) + "," + std::to_string(i) + ".50,x," +
             qe2m4::platform::EncodeCp932(i % 2 ? u"礫混じり砂質シルト" : u"砂とシルトの互層");
    });
    Write("X4.TXT", records, [](std::int64_t i) {
      return std::to_string(i) + "," + std::to_string(i) + ".5,,," +
             qe2m4::platform::EncodeCp932(u"貝殻");
    });
    Write("X12.TXT", records, [](std::int64_t i) {
      return std::to_string(i) + ",1.25,\"" +
             qe2m4::platform::EncodeCp932(u"含水比高く、ところどころに腐植物を混入する。") + "\"";
    });
  }
  ~BenchMachine() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  qe2m4::platform::FileSystem& fs() { return fs_; }

 private:
  template <typename Line>
  void Write(const char* name, std::int64_t records, Line line) {
    std::ofstream out(root_ / "S" / name, std::ios::binary);
    for (std::int64_t i = 1; i <= records; ++i) {
      out << line(i) << "\r\n";
    }
  }

  fs::path root_;
  qe2m4::platform::FileSystem fs_;
};

void BM_ConvertMeasurementFiles(benchmark::State& state) {
  BenchMachine machine(state.range(0));
  qe2m4::InclusionTable inclusions;
  qe2m4::PrepareSoilTables(inclusions);
  for (auto _ : state) {
    qe2m4::RecordReader reader(machine.fs());
    qe2m4::ConversionReport report;
    qe2m4::ConversionContext context{machine.fs(), reader, qe2m4::platform::DrivePath(u'D'),
                                     report};
    qe2m4::ConvertMeasurementFiles(context, inclusions, qe2m4::SoilReadings::None(),
                                   qe2m4::platform::DrivePath(u'S'));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConvertMeasurementFiles)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
