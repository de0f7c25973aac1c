// Feeds arbitrary bytes to the drive settings, as the lines of a drive table and as the user's
// drives.conf read at start-up, and checks that the table holds what the lines say: each line
// of the form L=DIR (L a letter A to Z in either case) maps L to DIR without its blanks, or
// removes L when DIR is empty, the last line for a letter winning; every other line that is
// neither blank nor a comment is reported by its number; and no letter outside A to Z is mapped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_machine.h"
#include "platform/drive_table.h"
#include "platform/host_paths.h"
#include "platform/start_up.h"

namespace {

namespace fs = std::filesystem;
using qe2m4::fuzz::Require;
using Entries = std::map<char16_t, fs::path>;

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Applies the lines to entries as the settings file's format says, and checks that the lines
// the table reported are exactly those not of the form.
void ApplyLines(std::string_view text, const std::vector<int>& reported, Entries& entries) {
  std::vector<int> bad;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view content = Trim(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (content.empty() || content.front() == '#') {
      continue;
    }
    const std::size_t equals = content.find('=');
    const std::string_view letter =
        equals == std::string_view::npos ? std::string_view() : Trim(content.substr(0, equals));
    if (letter.size() != 1 || !IsAsciiLetter(letter.front())) {
      bad.push_back(number);
      continue;
    }
    const auto upper = static_cast<char16_t>(letter.front() & ~0x20);
    const std::string_view folder = Trim(content.substr(equals + 1));
    if (folder.empty()) {
      entries.erase(upper);
    } else {
      entries[upper] = qe2m4::platform::HostPathFromUtf8(folder);
    }
  }
  Require(bad == reported, "exactly the lines not of the form L=DIR are reported");
}

void RequireLetters(const Entries& entries) {
  for (const auto& [letter, folder] : entries) {
    Require(letter >= u'A' && letter <= u'Z', "every mapped drive letter is A to Z");
    Require(!folder.empty(), "every mapped drive has a folder");
  }
}

fs::path SettingsFolder() {
  return qe2m4::fuzz::ProcessMachine().root() / "config";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The user's configuration folder, where start-up reads drives.conf, is the machine's.
  fs::create_directories(SettingsFolder() / "qe2m4");
  setenv("XDG_CONFIG_HOME", SettingsFolder().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  qe2m4::platform::DriveTable table;
  const std::vector<int> bad = table.ApplySettings(bytes);
  Entries expected;
  ApplyLines(bytes, bad, expected);
  Require(table.entries() == expected, "the table maps what the lines say");
  RequireLetters(table.entries());

  // The same lines as the user's drives.conf, over the defaults.
  qe2m4::fuzz::WriteFile(qe2m4::platform::DriveSettingsFile(), bytes);
  std::vector<qe2m4::platform::SettingsWarning> problems;
  const qe2m4::platform::DriveTable start_up = qe2m4::platform::StartUpDriveTable({}, problems);
  Entries expected_at_start = qe2m4::platform::DriveTable::Defaults().entries();
  ApplyLines(bytes, bad, expected_at_start);
  Require(start_up.entries() == expected_at_start, "start-up maps the defaults and drives.conf");
  Require(problems.size() == bad.size(), "start-up reports each line not of the form");
  RequireLetters(start_up.entries());
  return 0;
}
