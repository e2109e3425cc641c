// The language rule and the process-wide language index.
//
// One rule decides three things from the setting LANGTYPE and the OEM code page: the
// language of every catalog text, the setup dialog's template and the About template.
// They are derived from one answer, so they can never disagree.
#pragma once

namespace language {

constexpr int kJapanese = 0;  // language index values
constexpr int kEnglish = 1;

constexpr unsigned kJapaneseCodePage = 932;

constexpr unsigned kSetupTemplateJapanese = 102;
constexpr unsigned kSetupTemplateEnglish = 103;
constexpr unsigned kAboutTemplateJapanese = 100;
constexpr unsigned kAboutTemplateEnglish = 104;

// LANGTYPE 1 is Japanese, 2 English, 0 leaves it to the OEM code page (932 is Japanese),
// and any other value (negative ones too) is Japanese.
constexpr bool IsJapanese(int langType, unsigned oemCodePage) {
  switch (langType) {
    case 0:
      return oemCodePage == kJapaneseCodePage;
    case 2:
      return false;
    default:
      return true;
  }
}

constexpr int LanguageIndexFor(int langType, unsigned oemCodePage) {
  return IsJapanese(langType, oemCodePage) ? kJapanese : kEnglish;
}

constexpr unsigned SetupTemplateFor(int langType, unsigned oemCodePage) {
  return IsJapanese(langType, oemCodePage) ? kSetupTemplateJapanese : kSetupTemplateEnglish;
}

constexpr unsigned AboutTemplateFor(int langType, unsigned oemCodePage) {
  return IsJapanese(langType, oemCodePage) ? kAboutTemplateJapanese : kAboutTemplateEnglish;
}

// The language index of the process: 0 Japanese, 1 English; 0 until start-up sets it.
// Written once before the dialog exists, read by both threads afterwards.
int Index();
void SetIndex(int index);

}  // namespace language
