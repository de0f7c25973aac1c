#include "fuzz_machine.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace qe2m4::fuzz {
namespace fs = std::filesystem;

namespace {

// A new folder in parent, or an empty path when parent cannot hold one.
fs::path MakeFolderIn(const fs::path& parent) {
  std::string pattern = (parent / "qe2m4-fuzz-XXXXXX").string();
  return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

// The machine's folder: on the memory file system when there is one, else in the system's
// temporary folder.
fs::path MakeTempFolder() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec)) {
    if (fs::path folder = MakeFolderIn("/dev/shm"); !folder.empty()) {
      return folder;
    }
  }
  fs::path folder = MakeFolderIn(fs::temp_directory_path());
  if (folder.empty()) {
    std::perror("mkdtemp");
    std::abort();
  }
  return folder;
}

}  // namespace

FuzzMachine::FuzzMachine()
    : root_(MakeTempFolder()),
      source_(root_ / "S" / "BORING"),
      destination_(root_ / "D"),
      patdat_(root_ / "S" / "PATDAT"),
      system_(root_ / "S" / "SYSTEM"),
      fs_(platform::DriveTable()) {
  for (const fs::path& folder : {source_, destination_, patdat_, system_}) {
    fs::create_directories(folder);
  }
  fs_.MapDrive(u'S', root_ / "S");
  fs_.MapDrive(u'D', destination_);
  fs_.SetSystemFolder(u"S:\\SYSTEM");
  WriteFile(system_ / "Patdat32.ini", "[PATDAT]\r\nS:\\PATDAT\\\r\n");
}

FuzzMachine::~FuzzMachine() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

FuzzMachine& ProcessMachine() {
  static FuzzMachine machine;
  return machine;
}

void WriteFile(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    std::abort();
  }
}

}  // namespace qe2m4::fuzz
