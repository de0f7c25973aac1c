#include <io.h>
#include <windows.h>

#include "cli/console.h"
#include "cli/visible_text.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

HANDLE HandleOf(std::FILE* stream) {
  return stream == nullptr ? INVALID_HANDLE_VALUE
                           : reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

// A console handle has a console mode; a file, a pipe and the NUL device have none (which
// _isatty cannot tell apart: NUL is a character device too).
bool IsConsoleHandle(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// Whether the console carries out escape sequences (the batch's progress line erases the rest
// of the line with one): consoles of Windows 10 and later do once asked to; older ones cannot.
bool ConsoleTakesEscapes(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0 &&
         ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
          SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0);
}

// The text without its escape sequences (ESC [ parameters final-letter), for a console that
// would show them as characters.
std::u16string WithoutEscapes(const std::u16string& text) {
  std::u16string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\x1b' && i + 1 < text.size() && text[i + 1] == u'[') {
      for (i += 2; i < text.size() && !(text[i] >= u'@' && text[i] <= u'~'); ++i) {
      }
      continue;
    }
    plain += text[i];
  }
  return plain;
}

// Writes text as it is: UTF-16 to a console, CP932 to anything else.
void Write(std::FILE* stream, std::string_view text) {
  const HANDLE handle = HandleOf(stream);
  if (IsConsoleHandle(handle)) {
    std::fflush(stream);  // what the stream holds comes first
    std::u16string wide = platform::FromUtf8(text);
    if (wide.find(u'\x1b') != std::u16string::npos && !ConsoleTakesEscapes(handle)) {
      wide = WithoutEscapes(wide);
    }
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  // The stream is in text mode: each "\n" becomes CR LF on the way out.
  const std::string bytes = platform::EncodeCp932(platform::FromUtf8(text));
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace

void WriteText(std::FILE* stream, std::string_view text) {
  Write(stream, VisibleText(text));
}

void WriteTerminalControl(std::FILE* stream, std::string_view controls) {
  Write(stream, controls);
}

bool IsConsole(std::FILE* stream) {
  return IsConsoleHandle(HandleOf(stream));
}

std::string ReadConsoleLine(std::FILE* stream) {
  const HANDLE handle = HandleOf(stream);
  std::u16string line;
  for (;;) {
    wchar_t c = 0;
    DWORD read = 0;
    if (ReadConsoleW(handle, &c, 1, &read, nullptr) == 0 || read == 0 || c == L'\n') {
      break;
    }
    if (c != L'\r') {
      line += static_cast<char16_t>(c);
    }
  }
  return platform::ToUtf8(line);
}

}  // namespace qe2m4::cli
