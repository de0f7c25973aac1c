#include "app/pass_through_copies.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/counted_copy.h"
#include "common/path_utils.h"
#include "platform/interrupted.h"
#include "platform/names.h"

namespace qe2m4::app {
namespace {

constexpr std::array<std::u16string_view, 4> kPassThroughNames = {u"N10.TXT", u"N2.TXT", u"N8.TXT",
                                                                  u"N9.TXT"};

bool IsPassThrough(std::u16string_view name) {
  return std::any_of(
      kPassThroughNames.begin(), kPassThroughNames.end(),
      [name](std::u16string_view candidate) { return platform::NamesEqual(name, candidate); });
}

}  // namespace

void CopyPassThroughFiles(const platform::FileSystem& file_system, std::u16string_view source_path,
                          std::u16string_view destination_path, ConversionReport& report) {
  const std::u16string source(source_path);
  const std::u16string destination(destination_path);
  for (const std::u16string& name : ListFiles(file_system, source + u"N*.txt")) {
    if (IsPassThrough(name)) {
      platform::StopIfInterrupted();
      report.files.push_back(
          {name, CopyCountingLines(file_system, source + name, destination + name)});
    }
  }
}

}  // namespace qe2m4::app
