#include "batch/batch_tree.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/message_line.h"
#include "app/name_problem_text.h"
#include "app/run_error_message.h"
#include "app/texts.h"
#include "batch/natural_order.h"
#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/interrupted.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

// The root as typed, without blanks around it or separators after it ("S:\" stays "S:").
std::u16string Root(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return u"";
  }
  std::u16string root(text.substr(first, text.find_last_not_of(u' ') + 1 - first));
  while (!root.empty() && root.back() == u'\\') {
    root.pop_back();
  }
  return root;
}

bool HoldsData(const platform::FileSystem& file_system, const std::u16string& folder) {
  const std::u16string x1 = folder + u"\\X1.TXT";
  return file_system.FileExists(x1) && file_system.FileSize(x1) > 0;
}

// A folder still to visit: its levels below the source root, the destination levels among them
// that must keep their stored names, and why its name cannot be a level (it is then reported).
struct Visit {
  std::u16string relative;
  std::vector<StoredLevelName> stored_names;
  std::optional<platform::NameProblem> problem;
};

class TreeWalk {
 public:
  TreeWalk(const platform::FileSystem& file_system, std::u16string_view source_root,
           std::u16string_view destination_root)
      : file_system_(file_system),
        source_root_(source_root),
        destination_root_(destination_root),
        source_(Root(source_root)),
        destination_(Root(destination_root)) {}

  // One folder: a boring when it holds data, then its subfolders queued, those that cannot be
  // one level of a path reported in their places.
  void VisitFolder(const Visit& visit, std::vector<Visit>& pending) {
    const std::u16string folder = source_ + visit.relative;
    if (visit.problem) {
      const std::u16string text = std::u16string(app::texts::kTreeBadFolderName) + u" " +
                                  platform::FromUtf8(app::NameProblemText(*visit.problem));
      Add({0,
           folder,
           u"",
           {},
           WalkProblem{BoringOutcome::kRefused, app::MessageLine(text, folder)}});
      return;
    }
    std::vector<platform::FolderEntry> children;
    try {
      if (HoldsData(file_system_, folder)) {
        const bool root = visit.relative.empty();
        Add({0, root ? std::u16string(source_root_) : folder,
             root ? std::u16string(destination_root_) : destination_ + visit.relative,
             visit.stored_names});
      }
      children = file_system_.ListFolderEntries(folder + u"\\");
    } catch (const platform::Error& error) {
      Add({0, folder, u"", {}, WalkProblem{BoringOutcome::kFailed, Unreadable(folder, error)}});
      return;
    }
    // In the order Explorer lists them, the same on every system.
    std::stable_sort(children.begin(), children.end(),
                     [](const platform::FolderEntry& a, const platform::FolderEntry& b) {
                       return NaturalLess(a.name, b.name);
                     });
    std::vector<Visit> inside;
    for (const platform::FolderEntry& child : children) {
      const std::u16string relative = visit.relative + u"\\" + child.name;
      if (child.problem) {
        // Reported where the walk would have reached it: never joined into a path, never
        // walked into.
        inside.push_back({relative, {}, child.problem});
        continue;
      }
      if (child.is_link) {
        continue;
      }
      Visit next{relative, visit.stored_names, std::nullopt};
      if (child.host_name != platform::HostPath(child.name)) {
        next.stored_names.push_back({destination_ + relative, child.host_name});
      }
      inside.push_back(std::move(next));
    }
    for (auto it = inside.rbegin(); it != inside.rend(); ++it) {
      pending.push_back(std::move(*it));
    }
  }

  BatchList TakeList() { return std::move(list_); }

 private:
  static std::u16string Unreadable(const std::u16string& folder, const platform::Error& error) {
    std::u16string text(app::texts::kTreeUnreadableFolder);
    const std::u16string_view cause = app::CauseText(error.cause());
    text += u" ";
    text += cause.empty() ? platform::FromUtf8(error.reason()) : std::u16string(cause);
    return app::MessageLine(text, folder);
  }

  void Add(BatchEntry entry) {
    entry.line = static_cast<int>(list_.entries.size()) + 1;
    list_.entries.push_back(std::move(entry));
  }

  const platform::FileSystem& file_system_;
  std::u16string_view source_root_;
  std::u16string_view destination_root_;
  std::u16string source_;
  std::u16string destination_;
  BatchList list_;
};

}  // namespace

BatchList FindTreeBorings(const platform::FileSystem& file_system, std::u16string_view source_root,
                          std::u16string_view destination_root,
                          const std::function<bool()>& stop_requested) {
  const std::u16string source = Root(source_root);
  const std::u16string destination = Root(destination_root);
  if (source.empty() || !file_system.FolderExists(source + u"\\")) {
    return {
        {},
        {{{},
          catalogue::Format(catalogue::TextId::kCliTreeNoFolder, {platform::ToUtf8(source_root)})}},
        std::nullopt};
  }
  if (destination.empty()) {
    return {{},
            {{{}, std::string(catalogue::Text(catalogue::TextId::kCliTreeNoDestinationRoot))}},
            std::nullopt};
  }
  TreeWalk walk(file_system, source_root, destination_root);
  // Folders still to visit, the next one last.
  std::vector<Visit> pending{{u"", {}, std::nullopt}};
  while (!pending.empty()) {
    if (stop_requested && stop_requested()) {
      throw platform::Interrupted();
    }
    const Visit visit = std::move(pending.back());
    pending.pop_back();
    walk.VisitFolder(visit, pending);
  }
  return walk.TakeList();
}

}  // namespace qe2m4::batch
