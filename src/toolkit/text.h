// Text, number and path helpers used throughout the program (single-byte ANSI texts).
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// Decimal text with a leading "-" for negatives.
std::string IntToStr(int64_t value);

// Upper-case hexadecimal digits, padded with "0" on the left to at least `digits` digits.
std::string IntToHex(uint64_t value, int digits);

// Optional "+" or "-", then decimal digits up to the first non-digit; empty or non-numeric text
// gives 0. Values beyond 32 bits wrap around as the 32-bit arithmetic of the original did.
int32_t StrToInt(const std::string& text);

// printf-style formatting into at most 2047 characters (the 2048-character buffer of the format
// service); longer results are cut.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Everything up to and including the last "\" or ":"; empty when there is none.
std::string FolderOf(const std::string& path);

// Everything after the last "\" or ":"; the whole text when there is none.
std::string FileNameOf(const std::string& path);

// The file name of a path less everything from its last ".".
std::string NameWithoutExtension(const std::string& path);

// Appends "\" when the text does not already end with one.
std::string WithTrailingBackslash(const std::string& path);

// Removes leading and trailing blanks and control characters (codes 32 and below).
std::string Trim(const std::string& text);

} // namespace korvane
