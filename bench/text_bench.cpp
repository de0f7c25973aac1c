// Throughput of the text services every output column goes through.
#include <benchmark/benchmark.h>

#include <string>

#include "common/column_rules.h"
#include "platform/cp932.h"
#include "soil/soil_class.h"

namespace {

const std::u16string kRemark =
    u"礫混じり砂質シルト、含水比高く、ところどころに腐植物を混入する。N値は深度とともに増加。";

void BM_EncodeDecodeCp932(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(qe2m4::platform::DecodeCp932(qe2m4::platform::EncodeCp932(kRemark)));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRemark.size() * 2));
}
BENCHMARK(BM_EncodeDecodeCp932);

void BM_SplitFixedWidth(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(qe2m4::SplitFixedWidth(kRemark, 30));
  }
}
BENCHMARK(BM_SplitFixedWidth);

void BM_FormatPicture(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(qe2m4::FormatPicture(std::u16string_view(u"12.345"), u"###0.00"));
  }
}
BENCHMARK(BM_FormatPicture);

void BM_ClassifySoilName(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(qe2m4::ClassifySoilName(u"礫混じり砂質シルト"));
  }
}
BENCHMARK(BM_ClassifySoilName);

}  // namespace
