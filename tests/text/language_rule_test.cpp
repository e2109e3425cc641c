#include "text/language.h"

#include <gtest/gtest.h>

namespace {

struct LanguageCase {
  int langType;
  unsigned oemCodePage;
  int expectedIndex;
  unsigned expectedSetupTemplate;
  unsigned expectedAboutTemplate;
};

class LanguageRuleTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageRuleTest, IndexAndBothTemplatesFollowOneRule) {
  const LanguageCase& c = GetParam();
  EXPECT_EQ(language::LanguageIndexFor(c.langType, c.oemCodePage), c.expectedIndex);
  EXPECT_EQ(language::SetupTemplateFor(c.langType, c.oemCodePage), c.expectedSetupTemplate);
  EXPECT_EQ(language::AboutTemplateFor(c.langType, c.oemCodePage), c.expectedAboutTemplate);
}

INSTANTIATE_TEST_SUITE_P(
    LangTypeTable, LanguageRuleTest,
    ::testing::Values(
        // absent or 0: the OEM code page decides
        LanguageCase{0, 932, 0, 102, 100}, LanguageCase{0, 437, 1, 103, 104}, LanguageCase{0, 850, 1, 103, 104},
        // 1 is Japanese even on an English system
        LanguageCase{1, 437, 0, 102, 100}, LanguageCase{1, 932, 0, 102, 100},
        // 2 is English even on a Japanese system
        LanguageCase{2, 932, 1, 103, 104}, LanguageCase{2, 437, 1, 103, 104},
        // anything else is Japanese, not English: 3, -1, the string "2" read as 50
        LanguageCase{3, 437, 0, 102, 100}, LanguageCase{-1, 437, 0, 102, 100}, LanguageCase{50, 437, 0, 102, 100},
        LanguageCase{0x7FFFFFFF, 437, 0, 102, 100}));

TEST(LanguageIndexTest, SetIndexKeepsOnlyTheTwoLanguages) {
  language::SetIndex(language::kEnglish);
  EXPECT_EQ(language::Index(), 1);
  language::SetIndex(7);
  EXPECT_EQ(language::Index(), 0);
  language::SetIndex(language::kJapanese);
  EXPECT_EQ(language::Index(), 0);
}

}  // namespace
