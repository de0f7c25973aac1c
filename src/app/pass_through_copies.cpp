#include "app/pass_through_copies.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "common/path_utils.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/names.h"
#include "platform/vendor.h"

namespace qe2m4::app {
namespace {

constexpr std::array<std::u16string_view, 4> kPassThroughNames = {u"N10.TXT", u"N2.TXT", u"N8.TXT",
                                                                  u"N9.TXT"};
constexpr std::array<std::u16string_view, 3> kConsumedTitleNames = {u"titl01.txt", u"titl02.txt",
                                                                    u"titl03.txt"};

bool IsOneOf(std::u16string_view name, const auto& names) {
  return std::any_of(names.begin(), names.end(), [name](std::u16string_view candidate) {
    return platform::NamesEqual(name, candidate);
  });
}

// The number of lines of a copied file, as the summary reports it: every line end counts, and
// so does a last line without one.
std::int64_t CountLines(const platform::FileSystem& file_system, std::u16string_view path) {
  const std::string content = file_system.ReadAll(path);
  std::int64_t lines = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '\n' ||
        (content[i] == '\r' && (i + 1 == content.size() || content[i + 1] != '\n'))) {
      ++lines;
    }
  }
  if (!content.empty() && content.back() != '\n' && content.back() != '\r') {
    ++lines;
  }
  return lines;
}

// Copies the files listed for pattern (source_path + pattern) that keep() accepts; returns
// the names copied.
template <typename Keep>
std::vector<std::u16string> CopyMatching(const platform::FileSystem& file_system,
                                         std::u16string_view source_path,
                                         std::u16string_view destination_path,
                                         std::u16string_view pattern, Keep keep) {
  const std::u16string source(source_path);
  const std::u16string destination(destination_path);
  std::vector<std::u16string> copied;
  for (const std::u16string& name : ListFiles(file_system, source + std::u16string(pattern))) {
    if (keep(name)) {
      platform::StopIfInterrupted();
      // A link among a boring's files could copy any file of the machine into the destination.
      file_system.CopyFile(source + name, destination + name, platform::LastLevelLink::kRefuse);
      copied.push_back(name);
    }
  }
  return copied;
}

}  // namespace

void CopyPassThroughFiles(const platform::FileSystem& file_system, std::u16string_view source_path,
                          std::u16string_view destination_path, ConversionReport& report) {
  const auto copied =
      CopyMatching(file_system, source_path, destination_path, u"N*.txt",
                   [](std::u16string_view name) { return IsOneOf(name, kPassThroughNames); });
  for (const std::u16string& name : copied) {
    report.files.push_back(
        {name, CountLines(file_system, std::u16string(destination_path) + name)});
  }
}

std::vector<std::u16string> CopyTitleFiles(const platform::FileSystem& file_system,
                                           std::u16string_view source_path,
                                           std::u16string_view destination_path,
                                           ConversionReport& report) {
  const auto copied = CopyMatching(file_system, source_path, destination_path, u"Titl0?.txt",
                                   [](std::u16string_view) { return true; });
  for (const std::u16string& name : copied) {
    if (!IsOneOf(name, kConsumedTitleNames)) {
      report.files.push_back(
          {name, CountLines(file_system, std::u16string(destination_path) + name)});
    }
  }
  return copied;
}

}  // namespace qe2m4::app
