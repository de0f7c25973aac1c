#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "common/conversion_context.h"

namespace qe2m4::app {

// The notice holds at most this many lines; a longer list of layers ends in "ほか N 件".
inline constexpr std::size_t kNoticeMaxLines = 20;

// What the window tells the user after a successful run that has something to say, one item a
// line: the outputs not written although their source holds data (with the reason the command
// line gives), the layers whose description found no main soil (record number in X1.TXT and
// description, and the reading when the table of soil readings read it), and how many layers
// the table read. nullopt when there is nothing to say.
std::optional<std::u16string> RunNotice(const ConversionReport& report);

}  // namespace qe2m4::app
