// Reading back the text files the program writes: CR LF lines, and the parts of a log line.
#pragma once

#include <string>
#include <vector>

namespace korvane::test {

// The lines of a text without their CR LF; a last line without one counts too, an empty text has
// none.
std::vector<std::string> SplitCrLf(const std::string& text);

// The lines of a text file without their CR LF (none when the file cannot be read).
std::vector<std::string> ReadLines(const std::string& path);

// A log line's text after its time stamp "[...] " (the whole line when it has none).
std::string AfterStamp(const std::string& line);

// The message text of a debug-log line: what follows the time stamp and the level field ("[notice]"
// padded to nine characters and a space); empty when the line is shorter.
std::string DebugMessage(const std::string& line);

} // namespace korvane::test
