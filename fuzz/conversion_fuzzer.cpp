// Feeds arbitrary bytes through a whole conversion: the input is cut into the files of a source
// folder (X files, CNT.TXT, title files) and the pattern folder's L9.txt, and the run converts
// them. Failures the run reports to its user are fine; crashes and sanitizer reports are not,
// and neither is a run that leaves a temporary file in the destination (outputs are complete or
// absent) or changes, adds to or removes from the source folder.
//
// A run costs what the conversion costs: the machine is made once per process, a source file is
// written only when its bytes differ from the last input's, and the destination folders the
// first run made stay (the destination path is always the same, so making them anew would only
// repeat one step); only the files of the last run are removed.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/conversion_run.h"
#include "fuzz_check.h"
#include "fuzz_machine.h"
#include "platform/temporary_names.h"
#include "platform/user_interface.h"

namespace {

// The files each input is cut into, in order; pieces are separated by the byte 0xFF, which a
// CP932 file never holds.
constexpr std::array<const char*, 14> kSourceFiles = {
    "X1.TXT",  "X3.TXT",  "X4.TXT",     "X5.TXT",     "X6.TXT",     "X7.TXT", "X11.TXT",
    "X12.TXT", "CNT.TXT", "titl01.txt", "titl02.txt", "titl03.txt", "N2.TXT", "L9.txt"};

// The user: answers Yes and looks at nothing.
class SilentUser : public qe2m4::platform::UserInterface {
 public:
  qe2m4::platform::MessageAnswer ShowMessage(std::u16string_view,
                                             const std::optional<std::u16string>&,
                                             qe2m4::platform::MessageButtons buttons,
                                             qe2m4::platform::MessageIcon) override {
    return buttons == qe2m4::platform::MessageButtons::kYesNo ? qe2m4::platform::MessageAnswer::kYes
                                                              : qe2m4::platform::MessageAnswer::kOk;
  }
  void SetStatus(std::u16string_view) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  void FocusAndSelect(qe2m4::platform::PathBox) override {}
};

// The files of the machine's source and pattern folders as the inputs left them: each is
// written or removed only when the next input's piece differs, and after each run every one
// must still be as it was written.
class SourceFiles {
 public:
  explicit SourceFiles(const qe2m4::fuzz::FuzzMachine& machine) {
    for (std::size_t i = 0; i < kSourceFiles.size(); ++i) {
      const std::string_view name(kSourceFiles[i]);
      files_[i].host = (name == "L9.txt" ? machine.patdat() : machine.source()) / name;
    }
  }

  // Gives the files the pieces of an input; returns how many are in the source folder.
  std::ptrdiff_t Write(std::string_view input) {
    std::optional<std::string_view> rest = input;
    std::ptrdiff_t in_source = 0;
    for (std::size_t i = 0; i < kSourceFiles.size(); ++i) {
      // Past the input's end a file is absent, not empty.
      std::optional<std::string_view> piece;
      if (rest) {
        const std::size_t cut = rest->find('\xFF');
        piece = rest->substr(0, cut);
        rest = cut != std::string_view::npos ? std::optional(rest->substr(cut + 1)) : std::nullopt;
      }
      File& file = files_[i];
      if (piece != file.bytes) {
        Replace(file, piece);
      }
      in_source += piece && std::string_view(kSourceFiles[i]) != "L9.txt" ? 1 : 0;
    }
    return in_source;
  }

  // Whether every file is as it was written: there when it was, and of the same size and time.
  bool Unchanged() const {
    for (const File& file : files_) {
      struct ::stat status {};
      const bool there = ::lstat(file.host.c_str(), &status) == 0;
      if (!file.bytes) {
        if (there || errno != ENOENT) {
          return false;
        }
        continue;
      }
      if (!there || !S_ISREG(status.st_mode) ||
          static_cast<std::size_t>(status.st_size) != file.bytes->size() ||
          status.st_mtim.tv_sec != file.time.tv_sec ||
          status.st_mtim.tv_nsec != file.time.tv_nsec) {
        return false;
      }
    }
    return true;
  }

 private:
  struct File {
    std::filesystem::path host;
    std::optional<std::string> bytes;  // nullopt: absent
    struct ::timespec time {};         // of its last write
  };

  static void Replace(File& file, std::optional<std::string_view> piece) {
    if (!piece) {
      std::error_code absent;
      std::filesystem::remove(file.host, absent);
      file.bytes.reset();
      return;
    }
    qe2m4::fuzz::WriteFile(file.host, *piece);
    file.bytes = std::string(*piece);
    struct ::stat status {};
    if (::lstat(file.host.c_str(), &status) != 0) {
      std::perror(file.host.c_str());
      std::abort();
    }
    file.time = status.st_mtim;
  }

  std::array<File, kSourceFiles.size()> files_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qe2m4::fuzz::FuzzMachine& machine = qe2m4::fuzz::ProcessMachine();
  static SourceFiles source_files(machine);
  const std::ptrdiff_t written =
      source_files.Write(std::string_view(reinterpret_cast<const char*>(data), size));

  SilentUser user;
  qe2m4::app::RunConversion(machine.fs(), user, u"S:\\BORING", u"D:\\TYUJYOU\\A1234\\B\\C");

  // One walk checks the destination and clears it of the run's files for the next run.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(machine.destination())) {
    if (entry.is_directory()) {
      continue;
    }
    qe2m4::fuzz::Require(!qe2m4::platform::IsTemporaryName(entry.path().filename().native()),
                         "no temporary file is left in the destination");
    std::filesystem::remove(entry.path());
  }
  qe2m4::fuzz::Require(source_files.Unchanged(), "the source files stay as they were");
  const auto in_source = std::distance(std::filesystem::directory_iterator(machine.source()),
                                       std::filesystem::directory_iterator());
  qe2m4::fuzz::Require(in_source == written, "the source folder keeps the files it had");
  return 0;
}
