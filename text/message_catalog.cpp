// The catalog's texts. This file is compiled with the execution character set CP932, so
// the Japanese literals below are stored as Shift-JIS bytes (see app/CMakeLists.txt).
#include "text/message_catalog.h"

#include <array>

#include "text/language.h"

namespace {

// The texts the program uses; every other id has empty texts.
constexpr CatalogRecord kUsedTexts[] = {
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

constexpr std::array<CatalogRecord, kCatalogSize> BuildCatalog() {
  std::array<CatalogRecord, kCatalogSize> catalog{};
  for (int id = 0; id < kCatalogSize; ++id) catalog[id] = CatalogRecord{id, "", ""};
  for (const CatalogRecord& record : kUsedTexts) catalog[record.id] = record;
  return catalog;
}

constexpr std::array<CatalogRecord, kCatalogSize> kCatalog = BuildCatalog();

// Each used id once, in ascending order and inside the table.
constexpr bool UsedIdsAreOrderedAndInRange() {
  int previous = -1;
  for (const CatalogRecord& record : kUsedTexts) {
    if (record.id <= previous || record.id >= kCatalogSize) return false;
    previous = record.id;
  }
  return true;
}
static_assert(UsedIdsAreOrderedAndInRange(), "catalog ids must ascend and stay below kCatalogSize");

}  // namespace

extern const std::array<CatalogRecord, kCatalogSize> kMessageCatalog = kCatalog;

const char* CatalogTextIn(int id, int languageIndex) {
  if (id < 0 || id >= kCatalogSize) return "";
  const CatalogRecord& record = kMessageCatalog[id];
  return languageIndex == language::kEnglish ? record.english : record.japanese;
}

const char* CatalogText(int id) { return CatalogTextIn(id, language::Index()); }
