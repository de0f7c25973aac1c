#include "batch/report_path.h"

#include <optional>
#include <string>
#include <unordered_set>

#include "batch/batch_report.h"
#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "platform/file_identity.h"
#include "platform/file_system.h"
#include "platform/host_entry.h"
#include "platform/host_paths.h"
#include "platform/names.h"
#include "platform/temporary_names.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;

std::optional<platform::FileIdentity> IdentityOf(const fs::path& host) {
  return platform::HostFileIdentity(host.empty() ? fs::path(".") : host);
}

using catalogue::TextId;

// What is wrong with the kind of entry at the path itself, or nullopt when a file may go there.
std::optional<TextId> KindProblem(const fs::path& path) {
  switch (platform::HostEntryKindOf(path)) {
    case platform::HostEntryKind::kNothing:
    case platform::HostEntryKind::kFile:
      return std::nullopt;
    case platform::HostEntryKind::kFolder:
      return TextId::kCliReportIsFolder;
    case platform::HostEntryKind::kLink:
      return TextId::kCliReportIsLink;
    case platform::HostEntryKind::kOther:
      break;
  }
  return TextId::kCliReportNotRegular;
}

// The identities of the folders of a batch's lines. Folders that are not there yet (new
// destinations) are common, and finding that a level is missing costs a listing of the folder
// above it: the highest missing level is remembered, so that the paths below it cost no look-up.
class FolderIdentities {
 public:
  explicit FolderIdentities(const platform::FileSystem& file_system) : file_system_(file_system) {}

  std::optional<platform::FileIdentity> Of(std::u16string_view path) {
    const std::u16string full = file_system_.FullPath(path);
    for (std::u16string_view level = Parent(full); !level.empty(); level = Parent(level)) {
      if (missing_.contains(Folded(level))) {
        return std::nullopt;
      }
    }
    std::optional<platform::FileIdentity> identity = Look(full);
    if (!identity) {
      std::u16string_view highest;
      for (std::u16string_view level = Parent(full); !level.empty() && !Look(level);
           level = Parent(level)) {
        highest = level;
      }
      if (!highest.empty()) {
        missing_.insert(Folded(highest));
      }
    }
    return identity;
  }

 private:
  // "D:\A\B" gives "D:\A"; a drive's root and its levels just below it give "".
  static std::u16string_view Parent(std::u16string_view full) {
    const std::size_t separator = full.rfind(u'\\');
    return separator == std::u16string_view::npos || separator <= 2 ? std::u16string_view()
                                                                    : full.substr(0, separator);
  }
  static std::u16string Folded(std::u16string_view text) {
    std::u16string folded;
    for (const char16_t c : text) {
      folded += platform::FoldCase(c);
    }
    return folded;
  }
  std::optional<platform::FileIdentity> Look(std::u16string_view full) const {
    const fs::path host = file_system_.Resolve(full);
    return file_system_.KnownAbsent(host) ? std::nullopt : IdentityOf(host);
  }

  const platform::FileSystem& file_system_;
  std::unordered_set<std::u16string> missing_;
};

// The lines whose source (or destination) folder is the folder of that identity, by identity:
// every link, mount, drive letter or letter case that leads there counts.
std::vector<int> LinesInFolder(FolderIdentities& identities,
                               const platform::FileSystem& file_system,
                               const std::vector<BatchEntry>& entries,
                               const platform::FileIdentity& folder,
                               std::u16string BatchEntry::*side, std::u16string& first) {
  std::vector<int> lines;
  for (const BatchEntry& entry : entries) {
    // A folder a tree walk reported is not run and has no destination; an empty path would
    // be read as the working folder.
    if ((entry.*side).empty()) {
      continue;
    }
    try {
      if (identities.Of(entry.*side) == folder) {
        if (lines.empty()) {
          first = file_system.FullPath(entry.*side);
        }
        lines.push_back(entry.line);
      }
    } catch (const platform::Error&) {
      // A path the file system cannot resolve leads to no folder; its run refuses it.
    }
  }
  return lines;
}

}  // namespace

fs::path DefaultReportPath(const fs::path& list) {
  if (list.empty()) {
    return "qe2m4-report.csv";
  }
  fs::path name = list.filename();
  if (const fs::path extension = list.extension(); extension == ".csv" || extension == ".CSV") {
    name = list.stem();
  }
  name += "-report.csv";
  return list.parent_path() / name;
}

std::vector<ListProblem> ReportPathProblems(const platform::FileSystem& file_system,
                                            const fs::path& report, const fs::path& list,
                                            const std::vector<BatchEntry>& entries) {
  std::vector<ListProblem> problems;
  const std::optional<platform::FileIdentity> list_identity =
      list.empty() ? std::nullopt : IdentityOf(list);
  for (const fs::path& path : {report, BatchReport::SoilTablePath(report)}) {
    const std::string named = platform::PathUtf8(path);
    if (const std::optional<TextId> problem = KindProblem(path)) {
      problems.push_back({{}, catalogue::Format(*problem, {named})});
    } else if (list_identity && IdentityOf(path) == list_identity) {
      problems.push_back({{}, catalogue::Format(TextId::kCliReportIsList, {named})});
    }
  }

  // Both files lie in the report's folder.
  const std::optional<platform::FileIdentity> folder = IdentityOf(report.parent_path());
  if (!folder) {
    return problems;
  }
  // The lines' folders are looked up as one run looks up its own: each folder is read once
  // for all lines (new destinations side by side in one folder are the common case).
  const platform::RunScope scope(file_system);
  const std::string named = platform::PathUtf8(report);
  FolderIdentities identities(file_system);
  std::u16string first;
  if (std::vector<int> lines =
          LinesInFolder(identities, file_system, entries, *folder, &BatchEntry::source, first);
      !lines.empty()) {
    problems.push_back({std::move(lines), catalogue::Format(TextId::kCliReportInSource,
                                                            {named, platform::ToUtf8(first)})});
  }
  if (std::vector<int> lines =
          LinesInFolder(identities, file_system, entries, *folder, &BatchEntry::destination, first);
      !lines.empty()) {
    problems.push_back({std::move(lines), catalogue::Format(TextId::kCliReportInDestination,
                                                            {named, platform::ToUtf8(first)})});
  }
  return problems;
}

ReportPlace::ReportPlace(const platform::FileSystem& file_system, const fs::path& report,
                         const fs::path& list, const std::vector<BatchEntry>& entries)
    : problems_(ReportPathProblems(file_system, report, list, entries)) {
  if (!problems_.empty()) {
    return;
  }
  const fs::path soil = BatchReport::SoilTablePath(report);
  report_lock_.emplace(report);
  soil_lock_.emplace(soil);
  if (!report_lock_->acquired() || !soil_lock_->acquired()) {
    problems_.push_back(
        {{}, catalogue::Format(TextId::kCliReportBeingWritten, {platform::PathUtf8(report)})});
    return;
  }
  // With the locks held, temporary files under the report's names were left by batches that
  // no longer exist (killed, or a power cut).
  platform::RemoveStaleTemporaryFilesOf(report);
  platform::RemoveStaleTemporaryFilesOf(soil);
}

}  // namespace qe2m4::batch
