// The texts the program composes: a catalog format with its one argument, and decimal
// numbers. Written here rather than with the C library's printf family, which would bring
// some 25 KB into the release program for these few uses.
#pragma once

#include <string>

namespace text {

// format with its first "%s" or "%d" replaced by argument, and each "%%" by "%"; any other
// "%" stays as it is.
std::string FillIn(const char* format, const std::string& argument);

// value in decimal, with leading zeros to at least minimumDigits digits (after a "-").
std::string Decimal(long long value, int minimumDigits = 1);

}  // namespace text
