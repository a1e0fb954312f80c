#pragma once

#include <string>
#include <string_view>

namespace qdx {

// Small checks the import files share. Lengths count CP932 bytes, as the file formats do.
namespace fieldrules {

// Every character is an ASCII digit (an empty text is not).
bool isDigits(std::string_view text);
// The integer value as the file formats read numbers: leading blanks, an optional sign, then
// the digits up to the first other character; 0 when there are none. Clamped to int.
int integerValue(std::string_view text);
// Days of a month 1..12 (February always 29); 0 for any other month.
int monthLength(int month);
// The day is 1 up to the month's length.
bool validDay(int month, int day);
// Inserts a line break after the 50th character of a path of 51 characters or more, the way
// the closing message of an import shows the log file.
std::string wrapLongPath(const std::string& path);

} // namespace fieldrules
} // namespace qdx
