#include <unistd.h>

#include "cli/console.h"
#include "cli/visible_text.h"

namespace qe2m4::cli {

void WriteText(std::FILE* stream, std::string_view text) {
  const std::string visible = VisibleText(text);
  std::fwrite(visible.data(), 1, visible.size(), stream);
}

void WriteTerminalControl(std::FILE* stream, std::string_view controls) {
  std::fwrite(controls.data(), 1, controls.size(), stream);
}

bool IsConsole(std::FILE* stream) {
  return stream != nullptr && ::isatty(::fileno(stream)) != 0;
}

std::string ReadConsoleLine(std::FILE* stream) {
  std::string line;
  for (int c = std::fgetc(stream); c != EOF && c != '\n'; c = std::fgetc(stream)) {
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return line;
}

}  // namespace qe2m4::cli
