#pragma once

#include <filesystem>
#include <string_view>

#include "platform/file_system.h"

namespace qe2m4::fuzz {

// A machine for one fuzzing process: a temporary folder with drive S: holding the source folder
// S:\BORING, the pattern folder S:\PATDAT and the system folder S:\SYSTEM (whose Patdat32.ini
// names S:\PATDAT\), and drive D: for the destination; removed when the process ends. The folder
// lies on a memory file system where there is one (/dev/shm), so that a run costs what the code
// costs: a conversion writes and flushes some twenty files, which on a disk would set the pace.
class FuzzMachine {
 public:
  FuzzMachine();
  ~FuzzMachine();
  FuzzMachine(const FuzzMachine&) = delete;
  FuzzMachine& operator=(const FuzzMachine&) = delete;

  platform::FileSystem& fs() { return fs_; }
  const std::filesystem::path& root() const { return root_; }
  const std::filesystem::path& source() const { return source_; }
  const std::filesystem::path& destination() const { return destination_; }
  const std::filesystem::path& patdat() const { return patdat_; }
  const std::filesystem::path& system() const { return system_; }

 private:
  std::filesystem::path root_;
  std::filesystem::path source_;
  std::filesystem::path destination_;
  std::filesystem::path patdat_;
  std::filesystem::path system_;
  platform::FileSystem fs_;
};

// The machine of this fuzzing process, made on first use: libFuzzer calls the target once per
// input, and making the folders anew each time would dominate the run.
FuzzMachine& ProcessMachine();

// Writes bytes to a host file, replacing it.
void WriteFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace qe2m4::fuzz
