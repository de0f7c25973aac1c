#include "app/text_wrap.h"

#include <vector>

#include "platform/cp932.h"

namespace qe2m4::app {

namespace {

int Columns(char16_t c) {
  return c < 0x80 ? 1 : platform::Cp932Width(c);
}

bool Closing(char16_t c) {
  return std::u16string_view(u"、。，．・：；？！）」』】〕ー),.:;?!").find(c) !=
         std::u16string_view::npos;
}

bool Opening(char16_t c) {
  return std::u16string_view(u"（「『【〔([").find(c) != std::u16string_view::npos;
}

// A piece of a paragraph no line breaks inside, and whether a blank stood before it.
struct Piece {
  std::u16string text;
  bool after_blank = false;
};

std::vector<Piece> Pieces(std::u16string_view text) {
  std::vector<Piece> pieces;
  Piece piece;
  int depth = 0;
  bool blank_pending = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u' ' && depth == 0) {
      if (!piece.text.empty()) {
        pieces.push_back(std::move(piece));
        piece = {};
      }
      blank_pending = true;
      continue;
    }
    // Japanese text breaks between any two characters, a full-width one on either side.
    const bool at_full_width = !piece.text.empty() && depth == 0 &&
                               (Columns(piece.text.back()) == 2 || Columns(c) == 2) &&
                               !Closing(c) && !Opening(piece.text.back());
    if (at_full_width) {
      pieces.push_back(std::move(piece));
      piece = {};
    }
    if (piece.text.empty()) {
      piece.after_blank = blank_pending;
      blank_pending = false;
    }
    if (c == u'[') {
      ++depth;
    } else if (c == u']' && depth > 0) {
      --depth;
    }
    piece.text += c;
  }
  if (!piece.text.empty()) {
    pieces.push_back(std::move(piece));
  }
  return pieces;
}

}  // namespace

int TextColumns(std::u16string_view text) {
  int columns = 0;
  for (const char16_t c : text) {
    columns += Columns(c);
  }
  return columns;
}

std::u16string WrapParagraph(std::u16string_view text, int columns, int first_indent,
                             int rest_indent) {
  std::u16string out(static_cast<std::size_t>(first_indent), u' ');
  int used = first_indent;
  bool line_empty = true;
  for (const Piece& piece : Pieces(text)) {
    const int width = TextColumns(piece.text);
    const int blank = piece.after_blank && !line_empty ? 1 : 0;
    if (!line_empty && used + blank + width > columns) {
      out += u'\n';
      out.append(static_cast<std::size_t>(rest_indent), u' ');
      used = rest_indent;
      line_empty = true;
    } else if (blank != 0) {
      out += u' ';
      ++used;
    }
    out += piece.text;
    used += width;
    line_empty = false;
  }
  return out;
}

}  // namespace qe2m4::app
