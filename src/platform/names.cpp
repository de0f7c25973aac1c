#include "platform/names.h"

#include <cstddef>
#include <cstdio>

namespace qe2m4::platform {

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') {
    return static_cast<char16_t>(c - u'a' + u'A');
  }
  if (c < 0x80) {
    return c;
  }
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) ||     // Latin-1 small letters
      (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||  // Greek
      (c >= 0x430 && c <= 0x44F)) {                // Cyrillic
    return static_cast<char16_t>(c - 0x20);
  }
  if (c >= 0x450 && c <= 0x45F) {
    return static_cast<char16_t>(c - 0x50);
  }
  if (c >= 0xFF41 && c <= 0xFF5A) {  // full-width Latin
    return static_cast<char16_t>(c - 0x20);
  }
  return c;
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) {
      return false;
    }
  }
  return true;
}

namespace {

bool MatchesPlain(std::u16string_view name, std::u16string_view pattern) {
  // Iterative matching with one backtrack point for the last "*": linear in practice, and
  // never exponential.
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t star = std::u16string_view::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == u'?' || (pattern[p] != u'*' && FoldCase(pattern[p]) == FoldCase(name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      star_n = n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
  if (MatchesPlain(name, pattern)) {
    return true;
  }
  // As on Windows, a trailing ".*" also matches a name without an extension ("*.*" is "*").
  return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*" &&
         name.find(u'.') == std::u16string_view::npos &&
         MatchesPlain(name, pattern.substr(0, pattern.size() - 2));
}

bool IsHiddenName(std::u16string_view name) {
  return !name.empty() && name.front() == u'.';
}

std::string CharacterCode(char16_t c) {
  char code[8];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  return code;
}

std::string NameProblemSummary(const NameProblem& problem) {
  switch (problem.kind) {
    case NameProblemKind::kItself:
      return "the name \".\" stands for the folder itself";
    case NameProblemKind::kAbove:
      return "the name \"..\" stands for the folder above";
    case NameProblemKind::kSeparator:
      return std::string("the name holds the path separator \"") +
             (problem.character == u'/' ? "/" : "\\") + "\"";
    case NameProblemKind::kControlCharacter:
      // Shown by its number: the character itself would act on a terminal instead of showing.
      return "the name holds the control character " + CharacterCode(problem.character);
    case NameProblemKind::kTwin:
      return "another name in this folder reads as the same text";
    case NameProblemKind::kEndsWithBlankOrDot:
      return "Windows cannot hold a name that ends with a blank or a dot";
    case NameProblemKind::kReservedCharacter:
      return std::string("Windows cannot hold a name with the character '") +
             static_cast<char>(problem.character) + "'";
    case NameProblemKind::kDeviceName:
      return "the name is a Windows device name";
  }
  return "the name cannot be one level of a path";
}

std::optional<NameProblem> ControlCharacterProblem(std::u16string_view name) {
  for (const char16_t c : name) {
    if (c < 0x20 || c == 0x7F) {
      return NameProblem{NameProblemKind::kControlCharacter, c};
    }
  }
  return std::nullopt;
}

std::optional<NameProblem> LevelNameProblem(std::u16string_view name) {
  if (name == u".") {
    return NameProblem{NameProblemKind::kItself};
  }
  if (name == u"..") {
    return NameProblem{NameProblemKind::kAbove};
  }
  if (const std::size_t at = name.find_first_of(u"\\/"); at != std::u16string_view::npos) {
    return NameProblem{NameProblemKind::kSeparator, name[at]};
  }
  return ControlCharacterProblem(name);
}

}  // namespace qe2m4::platform
