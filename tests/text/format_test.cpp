#include "text/format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct FillInCase {
  const char* format;
  const char* argument;
  const char* expected;
};

class FillIn : public ::testing::TestWithParam<FillInCase> {};

TEST_P(FillIn, ReplacesTheFirstPlaceholderOnly) {
  const FillInCase& c = GetParam();
  EXPECT_EQ(text::FillIn(c.format, c.argument), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillIn,
    ::testing::Values(FillInCase{"A file does not open.\n%s", "C:\\a b\\x.txt", "A file does not open.\nC:\\a b\\x.txt"},
                      FillInCase{"%s\\QuorVEX Uninstall.lnk", "C:\\Group", "C:\\Group\\QuorVEX Uninstall.lnk"},
                      FillInCase{"Error number[%d]\n", "-536866252", "Error number[-536866252]\n"},
                      FillInCase{"(%s) and %s", "x", "(x) and %s"},
                      FillInCase{"100%% %s", "done", "100% done"},
                      FillInCase{"%x %s", "y", "%x y"},
                      FillInCase{"ends with %", "z", "ends with %"},
                      FillInCase{"", "a", ""},
                      // An argument's own "%s" is text, not another placeholder.
                      FillInCase{"[%s]", "%s%d", "[%s%d]"}));

TEST(FillIn, NullFormatIsEmpty) { EXPECT_EQ(text::FillIn(nullptr, "a"), ""); }

struct DecimalCase {
  long long value;
  int minimumDigits;
  const char* expected;
};

class Decimal : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(Decimal, Digits) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(text::Decimal(c.value, c.minimumDigits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Decimal,
                         ::testing::Values(DecimalCase{0, 1, "0"}, DecimalCase{7, 2, "07"}, DecimalCase{2026, 4, "2026"},
                                           DecimalCase{2026, 2, "2026"}, DecimalCase{-5, 3, "-005"},
                                           DecimalCase{4294967295LL, 1, "4294967295"},
                                           DecimalCase{LLONG_MIN, 1, "-9223372036854775808"},
                                           DecimalCase{LLONG_MAX, 1, "9223372036854775807"}));

}  // namespace
