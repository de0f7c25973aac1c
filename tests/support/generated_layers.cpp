#include "support/generated_layers.h"

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::testing {
namespace {

template <typename T>
const T& Pick(std::mt19937& random, const std::vector<T>& from) {
  return from[random() % from.size()];
}

bool Chance(std::mt19937& random, unsigned percent) {
  return random() % 100 < percent;
}

const std::vector<std::u16string> kOddNumbers = {u"",     u"abc",     u"0",   u"-0",
                                                 u"7.5",  u"12.3",    u"1e3", u" 2.5 ",
                                                 u"１２", u"999.995", u"-.5", u"1234567890.5"};
const std::vector<std::u16string> kColours = {u"暗褐", u"褐", u"暗灰", u"灰", u"青灰", u"黒"};
std::u16string Number(std::size_t value) {
  return platform::FromUtf8(std::to_string(value));
}

const std::vector<std::u16string> kAround = {u" ", u"  ", u"\t", u"　"};

}  // namespace

std::u16string GeneratedLayerFile::ReadDescription(std::size_t i) const {
  if (cut_last && i + 1 == layers.size()) {
    return i == 0 ? std::u16string() : ReadDescription(i - 1);
  }
  const GeneratedLayer& layer = layers[i];
  if (layer.quoted) {
    return layer.description;
  }
  const std::size_t first = layer.description.find_first_not_of(u" \t");
  return first == std::u16string::npos ? std::u16string() : layer.description.substr(first);
}

std::string GeneratedLayerFile::Bytes() const {
  std::string bytes;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const GeneratedLayer& layer = layers[i];
    bytes += platform::EncodeCp932(layer.number) + "," + platform::EncodeCp932(layer.depth);
    if (cut_last && i + 1 == layers.size()) {
      break;
    }
    bytes += layer.split ? "\r\n" : ",";
    bytes += platform::EncodeCp932(layer.colour) + ",";
    if (layer.blanks_before) {
      bytes += "  \t";
    }
    const std::string description = platform::EncodeCp932(layer.description);
    bytes += layer.quoted ? "\"" + description + "\"" : description;
    if (i + 1 < layers.size() || final_line_end) {
      bytes += layer.line_end;
    }
  }
  return bytes;
}

GeneratedLayerFile GenerateLayerFile(unsigned seed, std::size_t count,
                                     const std::vector<std::u16string>& descriptions) {
  std::mt19937 random(seed);
  GeneratedLayerFile file;
  for (std::size_t i = 1; i <= std::max<std::size_t>(count, 1); ++i) {
    GeneratedLayer layer;
    layer.number = Chance(random, 5) ? Pick(random, kOddNumbers) : Number(i);
    layer.depth =
        Chance(random, 15) ? Pick(random, kOddNumbers) : Number(i) + u"." + Number(random() % 100);
    layer.colour = Pick(random, kColours);
    layer.description = Pick(random, descriptions);
    if (Chance(random, 15)) {
      layer.description += u"と" + Pick(random, descriptions) + u"の互層";
    }
    if (Chance(random, 15)) {
      layer.description = Pick(random, kAround) + layer.description;
    }
    if (Chance(random, 15)) {
      layer.description += Pick(random, kAround);
    }
    layer.quoted = Chance(random, 20);
    layer.blanks_before = Chance(random, 5);
    layer.split = Chance(random, 2);
    const unsigned end = random() % 100;
    layer.line_end = end < 2 ? "\n" : end < 4 ? "\r" : "\r\n";
    file.layers.push_back(std::move(layer));
  }
  file.cut_last = Chance(random, 10);
  file.final_line_end = !Chance(random, 20);
  return file;
}

}  // namespace qe2m4::testing
