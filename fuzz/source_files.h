#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "folder_watch.h"
#include "fuzz_machine.h"

namespace qe2m4::fuzz {

// The files each input of the conversion target is cut into, in order; pieces are separated
// by the byte 0xFF, which a CP932 file never holds. All but the last lie in the source folder;
// the last is the pattern folder's L9.txt.
inline constexpr std::array<const char*, 14> kSourceFiles = {
    "X1.TXT",  "X3.TXT",  "X4.TXT",     "X5.TXT",     "X6.TXT",     "X7.TXT", "X11.TXT",
    "X12.TXT", "CNT.TXT", "titl01.txt", "titl02.txt", "titl03.txt", "N2.TXT", "L9.txt"};

// The files of the machine's source and pattern folders as the inputs left them. Each is
// written or removed only when the next input's piece differs; the kernel watches the folders
// of drive S: (source, pattern, system folder and the drive's root), so that a run that
// changes, adds or removes anything there is seen from one read, whoever did it.
class SourceFiles {
 public:
  explicit SourceFiles(const FuzzMachine& machine);

  // Gives the files the pieces of an input.
  void Write(std::string_view input);

  // Whether nothing in drive S:'s folders changed since the last Write.
  bool Unchanged();

 private:
  // Where a file's piece lies in last_; nullopt: the file is absent.
  struct Piece {
    std::size_t at = 0;
    std::size_t size = 0;
  };
  using Pieces = std::array<std::optional<Piece>, kSourceFiles.size()>;

  static Pieces Cut(std::string_view input);

  std::array<std::filesystem::path, kSourceFiles.size()> hosts_;
  std::string last_;  // the last input, whose pieces the files hold
  Pieces pieces_;
  FolderWatch watch_;
};

}  // namespace qe2m4::fuzz
