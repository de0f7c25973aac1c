#include "fuzz_machine.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace qe2m4::fuzz {
namespace fs = std::filesystem;

namespace {

fs::path MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "qe2m4-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

}  // namespace

FuzzMachine::FuzzMachine()
    : root_(MakeTempFolder()),
      source_(root_ / "S" / "BORING"),
      destination_(root_ / "D"),
      patdat_(root_ / "S" / "PATDAT"),
      system_(root_ / "S" / "SYSTEM"),
      fs_(platform::DriveTable()) {
  fs_.MapDrive(u'S', root_ / "S");
  fs_.MapDrive(u'D', destination_);
  fs_.SetSystemFolder(u"S:\\SYSTEM");
  fs::create_directories(system_);
  WriteFile(system_ / "Patdat32.ini", "[PATDAT]\r\nS:\\PATDAT\\\r\n");
  Clear();
}

FuzzMachine::~FuzzMachine() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void FuzzMachine::Clear() const {
  for (const fs::path& folder : {source_, destination_, patdat_}) {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
}

FuzzMachine& ProcessMachine() {
  static FuzzMachine machine;
  return machine;
}

void WriteFile(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace qe2m4::fuzz
