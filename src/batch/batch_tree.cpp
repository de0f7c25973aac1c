#include "batch/batch_tree.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
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

}  // namespace

BatchList FindTreeBorings(const platform::FileSystem& file_system, std::u16string_view source_root,
                          std::u16string_view destination_root) {
  BatchList list;
  const std::u16string source = Root(source_root);
  const std::u16string destination = Root(destination_root);
  if (source.empty() || !file_system.FolderExists(source + u"\\")) {
    list.problems.push_back({{}, "no folder " + platform::ToUtf8(source_root)});
    return list;
  }
  if (destination.empty()) {
    list.problems.push_back({{}, "no destination root"});
    return list;
  }
  // Relative levels still to visit, the next one last.
  std::vector<std::u16string> pending{u""};
  try {
    while (!pending.empty()) {
      const std::u16string relative = std::move(pending.back());
      pending.pop_back();
      const std::u16string folder = source + relative;
      if (HoldsData(file_system, folder)) {
        const int number = static_cast<int>(list.entries.size()) + 1;
        list.entries.push_back(
            {number, relative.empty() ? std::u16string(source_root) : folder,
             relative.empty() ? std::u16string(destination_root) : destination + relative});
      }
      const std::vector<platform::FolderEntry> children = file_system.ListFolders(folder + u"\\");
      for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!it->is_link) {
          pending.push_back(relative + u"\\" + it->name);
        }
      }
    }
  } catch (const platform::Error& error) {
    list.problems.push_back({{}, error.what()});
  }
  return list;
}

}  // namespace qe2m4::batch
