#include "platform/drive_path.h"

#include <stdexcept>

#include "platform/drive_table.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace {

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}

char16_t CheckedLetter(char16_t letter) {
  const auto upper = DriveLetter(letter);
  if (!upper) {
    throw std::invalid_argument("not a drive letter");
  }
  return *upper;
}

}  // namespace

DrivePath::DrivePath(char16_t letter) : drive_(CheckedLetter(letter)) {}

DrivePath::DrivePath(char16_t letter, std::vector<std::u16string> levels)
    : drive_(CheckedLetter(letter)) {
  // Through the rules, so that every path holds plain levels whatever it was made from.
  for (const std::u16string& level : levels) {
    AppendLevels(level, levels_);
  }
}

std::optional<DrivePath> DrivePath::Parse(std::u16string_view text) {
  if (text.size() < 2 || text[1] != u':' || !DriveLetter(text[0])) {
    return std::nullopt;
  }
  DrivePath path(text[0]);
  AppendLevels(text.substr(2), path.levels_);
  return path;
}

void DrivePath::AppendLevels(std::u16string_view text, std::vector<std::u16string>& levels) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsSeparator(text[i])) {
      continue;
    }
    const std::u16string_view level = text.substr(start, i - start);
    start = i + 1;
    if (level.empty() || level == u".") {
      continue;
    }
    if (level == u"..") {
      if (!levels.empty()) {
        levels.pop_back();
      }
      continue;
    }
    levels.emplace_back(level);
  }
}

std::u16string_view DrivePath::Name() const {
  return levels_.empty() ? std::u16string_view() : std::u16string_view(levels_.back());
}

DrivePath DrivePath::Join(std::u16string_view text) const {
  DrivePath joined = *this;
  AppendLevels(text, joined.levels_);
  return joined;
}

DrivePath DrivePath::Parent() const {
  DrivePath parent = *this;
  if (!parent.levels_.empty()) {
    parent.levels_.pop_back();
  }
  return parent;
}

std::u16string DrivePath::Text() const {
  std::u16string text{drive_, u':', u'\\'};
  for (std::size_t i = 0; i < levels_.size(); ++i) {
    if (i > 0) {
      text += u'\\';
    }
    text += levels_[i];
  }
  return text;
}

std::u16string DrivePath::FolderText() const {
  std::u16string text = Text();
  if (!levels_.empty()) {
    text += u'\\';
  }
  return text;
}

std::u16string DrivePath::Key() const {
  std::u16string key = Text();
  for (char16_t& c : key) {
    c = FoldCase(c);
  }
  return key;
}

bool operator==(const DrivePath& a, const DrivePath& b) {
  if (a.drive_ != b.drive_ || a.levels_.size() != b.levels_.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.levels_.size(); ++i) {
    if (!NamesEqual(a.levels_[i], b.levels_[i])) {
      return false;
    }
  }
  return true;
}

bool Contains(const DrivePath& a, const DrivePath& b) {
  if (a.drive_ != b.drive_ || a.levels_.size() > b.levels_.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.levels_.size(); ++i) {
    if (!NamesEqual(a.levels_[i], b.levels_[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace qe2m4::platform
