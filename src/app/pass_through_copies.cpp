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

void CopyPassThroughFiles(const platform::FileSystem& file_system,
                          const platform::DrivePath& source_folder,
                          const platform::DrivePath& destination_folder, ConversionReport& report) {
  for (const std::u16string& name : ListFiles(file_system, source_folder, u"N*.txt")) {
    if (IsPassThrough(name)) {
      platform::StopIfInterrupted();
      report.files.push_back({name, CopyCountingLines(file_system, source_folder.Join(name),
                                                      destination_folder.Join(name))});
    }
  }
}

}  // namespace qe2m4::app
