#include "text/message_catalog.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <string>

#include "text/language.h"

namespace {

// The expected texts, written in UTF-8 and converted to Shift-JIS here with iconv, so the
// check does not rest on the compiler's own conversion of the catalog.
struct ExpectedText {
  int id;
  const char* japaneseUtf8;
  const char* english;
};

constexpr ExpectedText kExpected[] = {
    {31, "\\ヴェルドラノスシステム",
     "\\Veldranos system"},
    {32, "\\ヴェルドラノスシステム\\QuorVEX",
     "\\Veldranos system\\QuorVEX"},
    {33, "\\ヴェルドラノスシステム\\QuorVEX\\QuorVEX.lnk",
     "\\Veldranos system\\QuorVEX\\QuorVEX.lnk"},
    {34, "\\ヴェルドラノスシステム\\QuorVEX\\QuorVEX4ICQ.lnk",
     "\\Veldranos system\\QuorVEX\\QuorVEX4ICQ.lnk"},
    {35, "\\ヴェルドラノスシステム\\QuorVEX\\QuorVEXのアンインストール.lnk",
     "\\Veldranos system\\QuorVEX\\QuorVEX Uninstall.lnk"},
    {36, "\\ヴェルドラノスシステム\\QuorVEX\\Lookcrafter.lnk",
     "\\Veldranos system\\QuorVEX\\Lookcrafter.lnk"},
    {50, "%s\\QuorVEXのアンインストール.lnk",
     "%s\\QuorVEX Uninstall.lnk"},
    {138, "Quorvexが見つかりません",
     "Quorvex is not found."},
    {140, "QuorVEXのアンインストール",
     "Uninstallation of QuorVEX"},
    {152, "QUORVEXレジストリ情報を削除しています...",
     "QUORVEX registry information is deleted."},
    {153, "QuorVEXをアンインストールします\nアンインストールを開始するには、Uninstallボタンをクリックしてください。",
     "Please click the Uninstall button, in order to start \n uninstallation which uninstalls QuorVEX."},
    {228, "mallocが失敗しました。",
     "malloc went wrong."},
    {303, "アンインストールが完了しました。",
     "Uninstallation was completed."},
    {304, "アンインストールは完了していません。このまま終了してもよろしいですか？",
     "Uninstallation is not completed. May I end as it is?"},
    {305, "アンインストール情報のレジストリオープンに失敗しました。",
     "Registry opening of uninstallation information went wrong."},
    {306, "アンインストール情報の登録に失敗しました。",
     "Registration of uninstallation information went wrong."},
    {307, "アンインストール情報ファイルが書き込めません。",
     "An uninstallation information file cannot be written in."},
    {308, "アンインストール情報を削除しています...",
     "Uninstallation information is deleted."},
    {318, "インストール情報ファイルがオープンできません。",
     "An installation information file cannot be opened."},
    {323, "エラーが発生しました。エラー番号[%d]\n",
     "The error occurred. Error number[%d]\n"},
    {371, "ヴェルドラノスシステム",
     "Veldranos system"},
    {401, "ショートカットが登録できません。(%s)",
     "Shortcut cannot be registered.(%s)"},
    {402, "ショートカットを削除しています...",
     "Shortcut is deleted."},
    {403, "ショートカットを登録しています...",
     "Shortcut is registered."},
    {433, "セットアップが終了しました。",
     "The setup was completed."},
    {434, "セットアップは完了していません。このまま終了してもよろしいですか？",
     "The setup is not completed. May I end as it is?"},
    {435, "セットアップファイルがオープンできません。",
     "An setup file cannot be opened."},
    {436, "セットアップファイルがコピーできません。",
     "An setup file cannot be copied."},
    {437, "セットアップファイルが読み込めません。",
     "An setup file cannot be read."},
    {438, "セットアップ情報を削除しています...",
     "Setup information is deleted."},
    {458, "デスクトップフォルダが取得できません。",
     "A desktop folder is unacquirable."},
    {516, "ファイルが開けません。\n%s",
     "A file does not open.\n%s"},
    {543, "フォルダが見つかりません。",
     "A folder is not found."},
    {555, "プログラムファイル(QuorVEX)が登録できません。",
     "A program file (QuorVEX) cannot be registered."},
    {556, "プログラムファイル(ヴェルドラノスシステム)が登録できません。",
     "A program file (Veldranos system) cannot be registered."},
    {557, "プログラムファイルが取得できません。",
     "A program file is unacquirable."},
    {588, "レジストリに登録しています...",
     "It has registered with the registry."},
    {719, "初期化中...",
     "Under initialization"},
    {829, "壁紙検索失敗",
     "Wallpaper reference failure"},
    {830, "壁紙読み込み失敗",
     "Wallpaper reading failure"},
};

std::string ToShiftJis(const char* utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string in(utf8);
  std::string out(in.size() * 2 + 1, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << utf8;
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

TEST(MessageCatalogTest, HoldsAllRecordsWithIdsAsPositions) {
  ASSERT_EQ(kMessageCatalog.size(), 946u);
  for (int id = 0; id < kCatalogSize; ++id) {
    EXPECT_EQ(kMessageCatalog[id].id, id);
    EXPECT_NE(kMessageCatalog[id].japanese, nullptr);
    EXPECT_NE(kMessageCatalog[id].english, nullptr);
  }
}

TEST(MessageCatalogTest, EveryUsedTextIsExactInBothLanguages) {
  for (const ExpectedText& expected : kExpected) {
    SCOPED_TRACE(expected.id);
    EXPECT_EQ(std::string(CatalogTextIn(expected.id, language::kEnglish)), expected.english);
    EXPECT_EQ(std::string(CatalogTextIn(expected.id, language::kJapanese)), ToShiftJis(expected.japaneseUtf8));
  }
}

TEST(MessageCatalogTest, EnglishTextsArePlainAscii) {
  for (const CatalogRecord& record : kMessageCatalog) {
    for (const char* p = record.english; *p; ++p) EXPECT_LT(static_cast<unsigned char>(*p), 0x80) << record.id;
  }
}

TEST(MessageCatalogTest, CatalogTextFollowsTheLanguageIndex) {
  language::SetIndex(language::kEnglish);
  EXPECT_STREQ(CatalogText(433), "The setup was completed.");
  language::SetIndex(language::kJapanese);
  EXPECT_EQ(std::string(CatalogText(433)), ToShiftJis("セットアップが終了しました。"));
  // The maker folder inside a path keeps its trail byte 0x5C as part of the character
  // (ソ is 0x83 0x5C in Shift-JIS), so the text must survive byte for byte.
  EXPECT_EQ(std::string(CatalogText(371)), ToShiftJis("ヴェルドラノスシステム"));
}

TEST(MessageCatalogTest, OutOfRangeIdsGiveEmptyText) {
  EXPECT_STREQ(CatalogTextIn(-1, language::kEnglish), "");
  EXPECT_STREQ(CatalogTextIn(946, language::kJapanese), "");
}

}  // namespace
