#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace qe2m4::cli {

// Writes UTF-8 text to one of the program's streams as its reader expects it: UTF-8 on POSIX
// systems; on Windows UTF-16 to a console window (it shows every character whatever its code
// page) and CP932 bytes with CR LF line ends when the stream is redirected. Control characters
// other than the line end are shown as VisibleText shows them, on every stream: texts from an
// archive reach terminals through pipes and logs too, and the files keep them exactly.
void WriteText(std::FILE* stream, std::string_view text);

// Writes the program's own terminal controls (a carriage return, escape sequences) as they are;
// on Windows the escape sequences are carried out where the console can, else left out.
void WriteTerminalControl(std::FILE* stream, std::string_view controls);

// Whether a stream is a console (a terminal) where someone can type an answer.
bool IsConsole(std::FILE* stream);

// Reads one line typed on the console as UTF-8, without its line end; empty at the end of input.
std::string ReadConsoleLine(std::FILE* stream);

}  // namespace qe2m4::cli
