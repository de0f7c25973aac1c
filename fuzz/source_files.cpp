#include "source_files.h"

#include <system_error>

namespace qe2m4::fuzz {

SourceFiles::SourceFiles(const FuzzMachine& machine) {
  for (std::size_t i = 0; i < kSourceFiles.size(); ++i) {
    const std::string_view name(kSourceFiles[i]);
    hosts_[i] = (name == "L9.txt" ? machine.patdat() : machine.source()) / name;
  }
  // The last input is kept in one buffer that only grows: a run of the target that allocates
  // more than it frees makes libFuzzer run the input again to look for a leak.
  last_.reserve(1 << 20);
  for (const std::filesystem::path& folder :
       {machine.root() / "S", machine.source(), machine.patdat(), machine.system()}) {
    watch_.Watch(folder);
  }
}

SourceFiles::Pieces SourceFiles::Cut(std::string_view input) {
  Pieces pieces;
  std::size_t at = 0;
  for (std::size_t i = 0; i < pieces.size() && at <= input.size(); ++i) {
    const std::size_t cut = input.find('\xFF', at);
    const std::size_t end = cut == std::string_view::npos ? input.size() : cut;
    pieces[i] = Piece{at, end - at};
    // Past the input's end a file is absent, not empty.
    at = cut == std::string_view::npos ? input.size() + 1 : cut + 1;
  }
  return pieces;
}

void SourceFiles::Write(std::string_view input) {
  const Pieces pieces = Cut(input);
  bool wrote = false;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::optional<Piece>& now = pieces[i];
    const std::optional<Piece>& before = pieces_[i];
    const auto bytes = [](std::string_view of, const Piece& piece) {
      return of.substr(piece.at, piece.size);
    };
    const bool same = now.has_value() == before.has_value() &&
                      (!now || bytes(input, *now) == bytes(last_, *before));
    if (!same) {
      if (now) {
        WriteFile(hosts_[i], bytes(input, *now));
      } else {
        std::error_code absent;
        std::filesystem::remove(hosts_[i], absent);
      }
      wrote = true;
    }
  }
  last_.assign(input);
  pieces_ = pieces;
  if (wrote) {
    // What the watch saw so far is the writing above.
    watch_.Drain([](const FolderWatch::Event&) {});
  }
}

bool SourceFiles::Unchanged() {
  bool unchanged = true;
  const bool complete = watch_.Drain([&](const FolderWatch::Event&) { unchanged = false; });
  return unchanged && complete;
}

}  // namespace qe2m4::fuzz
