#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace qe2m4::testing {

// A machine of its own for one test: a fresh temporary folder whose subfolders are mapped as
// drives, removed again when the test ends.
class TempMachine {
 public:
  TempMachine();
  // The temporary folder inside parent instead of the system's temporary folder.
  explicit TempMachine(const std::filesystem::path& parent);
  ~TempMachine();
  TempMachine(const TempMachine&) = delete;
  TempMachine& operator=(const TempMachine&) = delete;

  // Creates the host folder <root>/drive_<letter> and maps the letter to it.
  std::filesystem::path AddDrive(char16_t letter);
  // The host folder of the temporary machine.
  const std::filesystem::path& root() const { return root_; }
  platform::FileSystem& fs() { return fs_; }

  // Host path of a drive path (the levels as written, no case matching).
  std::filesystem::path Host(std::u16string_view drive_path) const;

 private:
  std::filesystem::path root_;
  platform::FileSystem fs_;
};

// A folder for temporary machines on a memory file system where there is one (/dev/shm), else
// the system's temporary folder. Every output is flushed to the disk before it is renamed, so
// tests that run the program hundreds of times keep to seconds there.
std::filesystem::path MemoryTempFolder();

// Writes bytes to a host file, creating its folders.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
// Writes UTF-16 text to a host file as CP932 bytes, unchanged otherwise.
void WriteCp932(const std::filesystem::path& file, std::u16string_view text);
// Whether a host folder holds an entry of exactly this name, letter case included (a file
// system that ignores case would find "N4.txt" where only "n4.TXT" exists).
bool HasEntryNamed(const std::filesystem::path& folder, std::string_view name);
// Reads a host file's bytes.
std::string ReadBytes(const std::filesystem::path& file);
// Every entry below a host folder: relative name -> file bytes, "<folder>" for a folder,
// "<link TARGET>" for a symbolic link (not followed) and "<other>" for a FIFO or a device.
// Two snapshots compare equal when nothing in the tree was created, removed or changed.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root);
// CP932 bytes of a text (for expected file contents).
std::string Sjis(std::u16string_view text);

}  // namespace qe2m4::testing
