#include "common/path_utils.h"

#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {

int CountSeparators(std::u16string_view text, std::u16string_view separators) {
  int count = 0;
  for (const char16_t separator : separators) {
    count += platform::InCount(text, separator);
  }
  return count;
}

std::vector<std::u16string> SplitPath(std::u16string_view text, std::u16string_view separators) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (separators.find(text[i]) != std::u16string_view::npos) {
      parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

namespace {

// The names of a listing without "." and "..", blanks trimmed at both ends.
std::vector<std::u16string> Trimmed(const std::vector<std::u16string>& listed) {
  std::vector<std::u16string> names;
  for (const std::u16string& name : listed) {
    if (name != u"." && name != u"..") {
      names.push_back(platform::QPTrim(name));
    }
  }
  return names;
}

}  // namespace

std::vector<std::u16string> ListFiles(const platform::FileSystem& file_system,
                                      std::u16string_view pattern) {
  return Trimmed(file_system.ListFiles(pattern));
}

std::vector<std::u16string> ListFiles(const platform::FileSystem& file_system,
                                      const platform::DrivePath& folder,
                                      std::u16string_view name_pattern) {
  return Trimmed(file_system.ListFiles(folder, name_pattern));
}

}  // namespace qe2m4
