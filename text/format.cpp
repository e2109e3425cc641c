#include "text/format.h"

namespace text {

std::string FillIn(const char* format, const std::string& argument) {
  std::string result;
  if (!format) return result;
  bool filled = false;
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%' && p[1] == '%') {
      result += '%';
      ++p;
    } else if (!filled && p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
      result += argument;
      filled = true;
      ++p;
    } else {
      result += *p;
    }
  }
  return result;
}

std::string Decimal(long long value, int minimumDigits) {
  // Built from the low digit up in an unsigned value, so that the most negative value works.
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  while (static_cast<int>(digits.size()) < minimumDigits) digits.insert(digits.begin(), '0');
  return value < 0 ? "-" + digits : digits;
}

}  // namespace text
