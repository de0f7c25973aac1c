#include "support/temp_machine.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::testing {
namespace fs = std::filesystem;

namespace {

fs::path MakeTempFolder(const fs::path& parent) {
  std::string pattern = (parent / "qe2m4-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  return pattern;
}

}  // namespace

TempMachine::TempMachine() : TempMachine(fs::temp_directory_path()) {}

TempMachine::TempMachine(const fs::path& parent)
    : root_(MakeTempFolder(parent)), fs_(platform::DriveTable()) {}

TempMachine::~TempMachine() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

fs::path TempMachine::AddDrive(char16_t letter) {
  const fs::path folder = root_ / ("drive_" + std::string(1, static_cast<char>(letter)));
  fs::create_directories(folder);
  fs_.MapDrive(letter, folder);
  return folder;
}

fs::path TempMachine::Host(std::u16string_view drive_path) const {
  const auto folder = fs_.drives().Folder(drive_path.at(0));
  if (!folder) {
    throw std::runtime_error("drive not mapped");
  }
  fs::path host = *folder;
  std::u16string_view rest = drive_path.substr(2);
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find(u'\\', start);
    if (end == std::u16string_view::npos) {
      end = rest.size();
    }
    if (end > start) {
      host /= platform::ToUtf8(rest.substr(start, end - start));
    }
    start = end + 1;
  }
  return host;
}

fs::path MemoryTempFolder() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

void WriteCp932(const fs::path& file, std::u16string_view text) {
  WriteBytes(file, platform::EncodeCp932(text));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + file.string());
  }
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    // Links, FIFOs and devices are named, never followed or read (a FIFO would block).
    const fs::file_status status = it->symlink_status();
    std::string& entry = entries[it->path().lexically_relative(root).string()];
    if (fs::is_symlink(status)) {
      entry = "<link " + fs::read_symlink(it->path()).string() + ">";
    } else if (fs::is_directory(status)) {
      entry = "<folder>";
    } else if (fs::is_regular_file(status)) {
      entry = ReadBytes(it->path());
    } else {
      entry = "<other>";
    }
  }
  return entries;
}

std::string Sjis(std::u16string_view text) {
  return platform::EncodeCp932(text);
}

}  // namespace qe2m4::testing
