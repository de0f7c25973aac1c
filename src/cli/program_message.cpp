#include "cli/program_message.h"

#include <string>

#include "catalogue/catalogue.h"
#include "cli/console.h"

namespace qe2m4::cli {

void WriteProgramMessage(std::FILE* stream, std::string_view text) {
  WriteText(stream, catalogue::Format(catalogue::TextId::kCliError, {text}) + "\n");
}

void WriteProgramMessage(std::FILE* stream, catalogue::TextId text) {
  WriteProgramMessage(stream, catalogue::Text(text));
}

}  // namespace qe2m4::cli
