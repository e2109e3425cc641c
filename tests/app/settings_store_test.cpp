// The settings store against the real registry of the test's Wine prefix.
#include "app/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/language.h"

namespace {

constexpr char kRoot[] = "SOFTWARE\\VELDRANOS\\QUORVEX";

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }

  static void Store(const char* subkey, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    const std::string path = std::string(kProductSettingsKey) + "\\" + subkey;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static std::string ReadString(const char* subkey, const char* name, const char* fallback, int size = 2600) {
    std::vector<char> buffer(size + 16, '#');  // guard bytes behind the buffer
    ReadSettingString(subkey, name, fallback, buffer.data(), size);
    for (int i = size; i < size + 16; ++i) EXPECT_EQ(buffer[i], '#') << "written past the buffer";
    EXPECT_NE(std::find(buffer.begin(), buffer.begin() + size, '\0'), buffer.begin() + size) << "unterminated";
    return std::string(buffer.data());
  }
};

TEST_F(SettingsStoreTest, MissingKeyOrValueGivesTheDefaults) {
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0), 0);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 7), 7);
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", ""), "");
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", "fallback"), "fallback");

  const DWORD other = 5;
  Store("OPTION_ETC", "OTHER", REG_DWORD, &other, sizeof other);
  Store("MAIN", "OTHER", REG_SZ, "x", 2);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 3), 3);
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", "d"), "d");
}

TEST_F(SettingsStoreTest, DwordReadTakesBytesNotTypes) {
  const DWORD two = 2;
  Store("OPTION_ETC", "LANGTYPE", REG_DWORD, &two, sizeof two);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0), 2);

  // The text "2" is the bytes '2', NUL: 50, not 2.
  Store("OPTION_ETC", "LANGTYPE", REG_SZ, "2", 2);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0), 50);

  // Eight bytes do not fit: the default.
  const unsigned long long wide = 2;
  Store("OPTION_ETC", "LANGTYPE", REG_QWORD, &wide, sizeof wide);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0), 0);

  // Shorter data replaces the low-order bytes only.
  const unsigned char oneByte[] = {0x01};
  Store("OPTION_ETC", "LANGTYPE", REG_BINARY, oneByte, sizeof oneByte);
  EXPECT_EQ(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0x11223344), 0x11223301);
}

TEST_F(SettingsStoreTest, StringReadKeepsWithinTheBufferAndAlwaysTerminates) {
  const std::string fits(2598, 'a');  // 2599 bytes with its terminator
  Store("MAIN", "SETUPFOLDER", REG_SZ, fits.c_str(), static_cast<DWORD>(fits.size() + 1));
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", ""), fits);

  const std::string tooLong(2599, 'b');  // 2600 bytes with its terminator: the default
  Store("MAIN", "SETUPFOLDER", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", ""), "");

  // Data without a terminator still comes back as a terminated text.
  Store("MAIN", "SETUPFOLDER", REG_BINARY, "C:\\Q", 4);
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", "", 16), "C:\\Q");
  Store("MAIN", "SETUPFOLDER", REG_BINARY, "0123456789abcde", 15);  // fills all but the last byte
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", "", 16), "0123456789abcde");
  Store("MAIN", "SETUPFOLDER", REG_BINARY, "0123456789abcdef", 16);  // no room left for a terminator
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", "dflt", 16), "dflt");
}

TEST_F(SettingsStoreTest, WriteCreatesTheKeysAndStoresTheTerminator) {
  EXPECT_EQ(WriteSettingString("MAIN", "SETUPFOLDER", "D:\\Apps\\QuorVEX\\"), 1);

  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  char data[64] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "SETUPFOLDER", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, sizeof "D:\\Apps\\QuorVEX\\");
  EXPECT_STREQ(data, "D:\\Apps\\QuorVEX\\");
  EXPECT_EQ(ReadString("MAIN", "SETUPFOLDER", ""), "D:\\Apps\\QuorVEX\\");
}

// LANGTYPE as stored in the registry, through the store and the language rule.
struct StoredLangType {
  const char* name;
  DWORD type;  // REG_NONE: not stored at all
  std::vector<unsigned char> data;
  int japaneseSystemIndex;  // OEM code page 932
  int englishSystemIndex;   // OEM code page 437
};

class StoredLangTypeTest : public SettingsStoreTest, public ::testing::WithParamInterface<StoredLangType> {};

TEST_P(StoredLangTypeTest, DecidesTheLanguageAndTemplates) {
  const StoredLangType& c = GetParam();
  if (c.type != REG_NONE) Store("OPTION_ETC", "LANGTYPE", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
  const int langType = ReadSettingDword("OPTION_ETC", "LANGTYPE", 0);
  EXPECT_EQ(language::LanguageIndexFor(langType, 932), c.japaneseSystemIndex);
  EXPECT_EQ(language::LanguageIndexFor(langType, 437), c.englishSystemIndex);
  for (unsigned codePage : {932u, 437u}) {
    const bool japanese = language::LanguageIndexFor(langType, codePage) == language::kJapanese;
    EXPECT_EQ(language::SetupTemplateFor(langType, codePage), japanese ? 102u : 103u);
    EXPECT_EQ(language::AboutTemplateFor(langType, codePage), japanese ? 100u : 104u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredLangTypeTest,
    ::testing::Values(StoredLangType{"absent", REG_NONE, {}, 0, 1},
                      StoredLangType{"zero", REG_DWORD, {0, 0, 0, 0}, 0, 1},
                      StoredLangType{"one", REG_DWORD, {1, 0, 0, 0}, 0, 0},
                      StoredLangType{"two", REG_DWORD, {2, 0, 0, 0}, 1, 1},
                      StoredLangType{"three", REG_DWORD, {3, 0, 0, 0}, 0, 0},
                      StoredLangType{"minusOne", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, 0, 0},
                      StoredLangType{"textTwo", REG_SZ, {'2', 0}, 0, 0},
                      StoredLangType{"eightBytes", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}, 0, 1}),
    [](const ::testing::TestParamInfo<StoredLangType>& info) { return std::string(info.param.name); });

}  // namespace
