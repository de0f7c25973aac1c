#include "batch/natural_order.h"

#include <string>

#include "platform/cp932.h"

namespace qe2m4::batch {
namespace {

// The kinds of character in the order they sort in.
enum class Kind { kSymbol, kDigit, kLatin, kKana, kOther };

// Half-width katakana U+FF66 ... U+FF9F as their full-width forms.
constexpr char16_t kHalfWidthKana[] = {
    u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー', u'ア',
    u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス',
    u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ',
    u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ', u'ユ',
    u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

// A character as it compares: width, case and kana type folded away.
char16_t Folded(char16_t c) {
  if (c >= u'！' && c <= u'～') {
    c = static_cast<char16_t>(c - u'！' + u'!');
  } else if (c == u'　') {
    c = u' ';
  } else if (c >= u'ｦ' && c <= u'ﾟ') {
    c = kHalfWidthKana[c - u'ｦ'];
  } else if (c == u'｡' || c == u'､' || c == u'｢' || c == u'｣' || c == u'･') {
    constexpr char16_t kPunctuation[] = {u'。', u'「', u'」', u'、', u'・'};
    c = kPunctuation[c - u'｡'];
  }
  if (c >= u'A' && c <= u'Z') {
    return static_cast<char16_t>(c - u'A' + u'a');
  }
  if (c >= u'ァ' && c <= u'ヶ') {
    return static_cast<char16_t>(c - u'ァ' + u'ぁ');
  }
  return c;
}

Kind KindOf(char16_t folded) {
  if (folded >= u'0' && folded <= u'9') {
    return Kind::kDigit;
  }
  if (folded >= u'a' && folded <= u'z') {
    return Kind::kLatin;
  }
  // Hiragana (katakana are folded into them), the other katakana, the prolonged sound mark and
  // the iteration marks; the middle dot ・ is punctuation.
  if ((folded >= u'ぁ' && folded <= u'ゟ') ||
      (folded >= u'ァ' && folded <= u'ヿ' && folded != u'・')) {
    return Kind::kKana;
  }
  // ASCII's and the CJK punctuation, and the general punctuation, arrows, shapes and other
  // symbols (※, →, ●, ①).
  if (folded < 0x80 || (folded >= u'　' && folded <= u'〿') || folded == u'・' ||
      (folded >= 0x2000 && folded <= 0x2BFF) || (folded >= 0xFF00 && folded <= 0xFFEF)) {
    return Kind::kSymbol;
  }
  return Kind::kOther;
}

// The digit value of a character, or -1: ASCII and full-width digits.
int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') {
    return c - u'0';
  }
  if (c >= u'０' && c <= u'９') {
    return c - u'０';
  }
  return -1;
}

// Kanji and the other characters in the order of the JIS table, as CP932 writes them (the
// common kanji are in the order of their readings there), then those CP932 has no form for, by
// code point.
int CompareOther(char16_t x, char16_t y) {
  const bool x_jis = platform::HasCp932Form(x);
  const bool y_jis = platform::HasCp932Form(y);
  if (x_jis != y_jis) {
    return x_jis ? -1 : 1;
  }
  if (x_jis) {
    const std::string x_bytes = platform::EncodeCp932(std::u16string_view(&x, 1));
    const std::string y_bytes = platform::EncodeCp932(std::u16string_view(&y, 1));
    if (x_bytes != y_bytes) {
      return x_bytes < y_bytes ? -1 : 1;
    }
  }
  return x < y ? -1 : (x > y ? 1 : 0);
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

}  // namespace

int NaturalCompare(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  // The first difference in leading zeros between two numbers of equal value: a tie-breaker.
  int zeros = 0;
  while (i < a.size() && j < b.size()) {
    if (DigitValue(a[i]) >= 0 && DigitValue(b[j]) >= 0) {
      const std::size_t a_start = i;
      const std::size_t b_start = j;
      while (i < a.size() && DigitValue(a[i]) == 0) {
        ++i;
      }
      while (j < b.size() && DigitValue(b[j]) == 0) {
        ++j;
      }
      const std::size_t a_digits = i;
      const std::size_t b_digits = j;
      while (i < a.size() && DigitValue(a[i]) >= 0) {
        ++i;
      }
      while (j < b.size() && DigitValue(b[j]) >= 0) {
        ++j;
      }
      // Without leading zeros the longer number is the larger; of equal length, the first digit
      // that differs decides.
      if (i - a_digits != j - b_digits) {
        return i - a_digits < j - b_digits ? -1 : 1;
      }
      for (std::size_t k = 0; k < i - a_digits; ++k) {
        const int difference = DigitValue(a[a_digits + k]) - DigitValue(b[b_digits + k]);
        if (difference != 0) {
          return Sign(difference);
        }
      }
      if (zeros == 0 && a_digits - a_start != b_digits - b_start) {
        zeros = a_digits - a_start < b_digits - b_start ? -1 : 1;
      }
      continue;
    }
    const char16_t x = Folded(a[i]);
    const char16_t y = Folded(b[j]);
    const Kind x_kind = DigitValue(a[i]) >= 0 ? Kind::kDigit : KindOf(x);
    const Kind y_kind = DigitValue(b[j]) >= 0 ? Kind::kDigit : KindOf(y);
    if (x_kind != y_kind) {
      return x_kind < y_kind ? -1 : 1;
    }
    if (x != y) {
      return x_kind == Kind::kOther ? CompareOther(x, y) : (x < y ? -1 : 1);
    }
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) {
    return i < a.size() ? 1 : -1;  // the shorter name first
  }
  if (zeros != 0) {
    return zeros;
  }
  return a == b ? 0 : (a < b ? -1 : 1);
}

}  // namespace qe2m4::batch
