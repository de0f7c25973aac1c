#pragma once

#include <cstdio>
#include <string_view>

#include "catalogue/text_id.h"

namespace qe2m4::cli {

// Writes one message of the program to a stream as its own line: "qe2m4: text".
void WriteProgramMessage(std::FILE* stream, std::string_view text);

// The same with a text of the catalogue in the user's language.
void WriteProgramMessage(std::FILE* stream, catalogue::TextId text);

}  // namespace qe2m4::cli
