#pragma once
// The command line's own contact with the system: its arguments as UTF-8
// and text out to a console or a file. On POSIX systems both are the bytes
// as they are; on Windows the arguments come from the wide command line and
// a console gets UTF-16, so that every name and report reads as given.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shirl::cli {

// The program's arguments after its own name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Writes `text` to `stream` (stdout or stderr), the one way out of the
// command line: as UTF-16 to a Windows console, else the bytes as they are.
// False when the stream has failed.
bool WriteText(std::FILE* stream, std::string_view text);

// WriteText of `text` and a line end.
bool WriteLine(std::FILE* stream, std::string_view text);

// WriteLine of each of `lines`, handed to the system at once (a report of
// many rows is not a write per row).
bool WriteLines(std::FILE* stream, std::span<const std::string> lines);

} // namespace shirl::cli
