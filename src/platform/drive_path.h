#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::platform {

// A full drive path, parsed once: the drive letter (upper case) and the folder levels below its
// root, as written. "\" and "/" both separate levels; empty levels (a doubled "\") and "." are
// skipped, ".." goes up one level but never above the root. Two paths are the same path when
// their letters and levels are equal without regard to letter case, as names on a drive are.
class DrivePath {
 public:
  // The root of a drive; letter is taken in either case and must be a drive letter.
  explicit DrivePath(char16_t letter);
  DrivePath(char16_t letter, std::vector<std::u16string> levels);

  // The path of a text "D:\A\B\" or "D:\A\B" (a letter in either case, ":", then the levels;
  // "D:A" is read as "D:\A"). nullopt when the text does not begin with a drive letter and ":".
  static std::optional<DrivePath> Parse(std::u16string_view text);

  char16_t drive() const { return drive_; }
  const std::vector<std::u16string>& levels() const { return levels_; }
  bool IsRoot() const { return levels_.empty(); }
  // The last level; empty for a root.
  std::u16string_view Name() const;

  // This path with the levels of text below it: a name ("N1.txt") or several ("A\B"), by the
  // rules above, so that ".." in text goes up from this path.
  DrivePath Join(std::u16string_view text) const;
  // The folder that holds this path; a root is its own parent.
  DrivePath Parent() const;

  // "D:\A\B", "D:\" for a root: the form without a trailing "\" below the root.
  std::u16string Text() const;
  // "D:\A\B\", "D:\" for a root: the form a folder path has after a path check, to which file
  // names are appended directly.
  std::u16string FolderText() const;
  // The text in one letter case, for comparing and ordering paths as names are compared.
  std::u16string Key() const;

  friend bool operator==(const DrivePath& a, const DrivePath& b);
  // Whether a is b or one of the folders above it.
  friend bool Contains(const DrivePath& a, const DrivePath& b);

  // Appends the levels of text to levels by the rules above.
  static void AppendLevels(std::u16string_view text, std::vector<std::u16string>& levels);

 private:
  char16_t drive_;
  std::vector<std::u16string> levels_;
};

}  // namespace qe2m4::platform
