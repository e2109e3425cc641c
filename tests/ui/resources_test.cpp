// The resources compiled into the setup program, read back from the program file as
// Windows finds them (language 1041): the dialog templates control by control, the string
// table, the banner's header, the icons and the hand cursor.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bytes/little_endian.h"
#include "tests/ui/compiled_resources.h"

namespace {

using restest::DialogItem;
using restest::DialogTemplate;
using restest::GroupEntry;

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 1041

std::string SetupProgramPath() {
  const char* unixPath = std::getenv("QX_SETUP_EXE");
  if (!unixPath || !*unixPath) return std::string();
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct Bytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

class CompiledResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExA(SetupProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(module_) << "QX_SETUP_EXE names the setup program"; }

  // The resource in the Japanese language, empty when there is none in that language.
  static Bytes Find(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceExA(module_, type, name, kJapanese);
    if (!found) return Bytes{};
    HGLOBAL loaded = LoadResource(module_, found);
    return Bytes{static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(module_, found)};
  }
  static Bytes Find(LPCSTR type, int id) { return Find(type, MAKEINTRESOURCEA(id)); }

  static DialogTemplate Dialog(int id) {
    DialogTemplate dialog;
    const Bytes bytes = Find(RT_DIALOG, id);
    EXPECT_TRUE(bytes.data) << "dialog " << id;
    if (bytes.data) {
      EXPECT_TRUE(restest::ReadDialogTemplate(bytes.data, bytes.size, dialog)) << "dialog " << id;
    }
    return dialog;
  }

  static HMODULE module_;
};
HMODULE CompiledResources::module_ = nullptr;

struct ExpectedItem {
  WORD id;
  const char16_t* className;
  DWORD style;
  int x, y, cx, cy;
  const char16_t* text;  // null: checked by the test itself
  int iconOrdinal;       // the text is this icon's ordinal instead, or -1
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr WORD kNoId = 0xFFFF;  // -1 of the template
constexpr WORD kFooterId = 1016;

// Controls of the setup dialog in tab order; the welcome text, the folder label and the
// footer's position differ by language.
std::vector<ExpectedItem> SetupControls(const char16_t* welcome, const char16_t* folderLabel, int footerX) {
  const DWORD owner = kChild | WS_TABSTOP | BS_OWNERDRAW;
  return {
      {1002, u"STATIC", kChild | WS_GROUP | SS_LEFT, 36, 9, 258, 42, welcome, -1},
      {1014, u"STATIC", kChild | SS_ICON | SS_NOTIFY, 9, 18, 20, 20, nullptr, 129},
      {kNoId, u"STATIC", kChild | SS_BLACKFRAME | SS_SUNKEN, 6, 54, 294, 1, u"", -1},
      {1004, u"STATIC", kChild | WS_GROUP | SS_LEFT, 15, 69, 75, 9, folderLabel, -1},
      {1012, u"RICHEDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, 18, 81, 249, 9, u"", -1},
      {1006, u"BUTTON", owner, 270, 81, 12, 9, u"...", -1},
      {1009, u"STATIC", WS_CHILD | WS_GROUP, 18, 108, 264, 8, u"", -1},
      {1008, u"STATIC", kChild | WS_GROUP | SS_LEFT, 18, 121, 216, 9, u"", -1},
      {1015, u"STATIC", WS_CHILD | WS_GROUP, 15, 138, 8, 8, u"", -1},
      {1000, u"BUTTON", owner, 237, 123, 42, 15, u"Setup", -1},
      {IDCANCEL, u"BUTTON", owner, 237, 144, 42, 15, u"Exit", -1},
      {1001, u"BUTTON", owner, 237, 165, 42, 15, u"Start", -1},
      {kFooterId, u"STATIC", kChild | WS_GROUP | SS_NOTIFY | SS_RIGHT, footerX, 186, 138, 9, nullptr, -1},
  };
}

void ExpectItems(const DialogTemplate& dialog, const std::vector<ExpectedItem>& expected) {
  ASSERT_EQ(dialog.items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const DialogItem& item = dialog.items[i];
    const ExpectedItem& want = expected[i];
    SCOPED_TRACE(testing::Message() << "item " << i << ", id " << want.id);
    EXPECT_EQ(item.id, want.id);
    EXPECT_EQ(item.className, want.className);
    EXPECT_EQ(item.style, want.style) << std::hex << item.style << " against " << want.style;
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}), (std::vector<int>{want.x, want.y, want.cx, want.cy}));
    if (want.iconOrdinal >= 0) {
      EXPECT_EQ(item.text.ordinal, want.iconOrdinal);
    }
    if (want.text) {
      EXPECT_EQ(item.text.ordinal, -1);
      EXPECT_EQ(item.text.name, want.text);
    }
  }
}

// The program's copyright notice: one line, the same wherever it is shown.
void ExpectOneLineNotice(const std::u16string& notice) {
  EXPECT_FALSE(notice.empty());
  EXPECT_EQ(notice.find(u'\n'), std::u16string::npos);
}

const DialogItem* ItemWithId(const DialogTemplate& dialog, WORD id) {
  for (const DialogItem& item : dialog.items)
    if (item.id == id) return &item;
  return nullptr;
}

TEST_F(CompiledResources, SetupDialogTemplatesHoldTheirControlsInTabOrder) {
  struct Language {
    int id;
    const char16_t* caption;
    const char16_t* face;
    const char16_t* welcome;
    const char16_t* folderLabel;
    int footerX;
  };
  const Language languages[] = {
      {102, u"QuorVEX セットアップ", u"MS UI Gothic",
       u"QuorVEX セットアップにようこそ。\n\nこのソフトウェアはQuorVEXをご使用のコンピューターにセットアップします。\n"
       u"Setupボタンをクリックして"
       u"QuorVEXをセットアップしてください。",
       u"セットアップ フォルダ", 159},
      {103, u"QuorVEX Setup", u"MS Sans Serif",
       u"Welcome to a QuorVEX setup!\n\nThis software sets up QuorVEX in the computer of use.\nPlease click the Setup "
       u"button and set up QuorVEX.",
       u"Setup folder", 165},
  };
  std::set<std::u16string> notices;
  for (const Language& language : languages) {
    SCOPED_TRACE(language.id);
    const DialogTemplate dialog = Dialog(language.id);
    // No system-menu box and no minimise box in the caption.
    EXPECT_EQ(dialog.style, 0x90C008C0u) << std::hex << dialog.style;
    EXPECT_EQ(dialog.style, DWORD{WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT});
    EXPECT_EQ(dialog.exStyle, DWORD{WS_EX_APPWINDOW});
    EXPECT_EQ(dialog.cx, 303);
    EXPECT_EQ(dialog.cy, 197);
    EXPECT_EQ(dialog.caption, language.caption);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.face, language.face);
    EXPECT_EQ(dialog.menu.name, u"");
    EXPECT_EQ(dialog.windowClass.name, u"");
    ExpectItems(dialog, SetupControls(language.welcome, language.folderLabel, language.footerX));
    if (const DialogItem* footer = ItemWithId(dialog, kFooterId)) {
      ExpectOneLineNotice(footer->text.name);
      notices.insert(footer->text.name);
    }
  }
  EXPECT_EQ(notices.size(), 1u) << "one notice in both templates";
}

TEST_F(CompiledResources, AboutTemplatesShowTheIconVersionAndNotice) {
  const struct {
    int id;
    const char16_t* caption;
    const char16_t* face;
  } languages[] = {
      {100, u"QuorVEXSetupのﾊﾞｰｼﾞｮﾝ情報", u"ＭＳ Ｐゴシック"},
      {104, u"About QuorVEXSetup", u"MS Sans Serif"},
  };
  std::set<std::u16string> notices;
  for (const auto& language : languages) {
    SCOPED_TRACE(language.id);
    const DialogTemplate dialog = Dialog(language.id);
    EXPECT_EQ(dialog.style, 0x80C800C0u) << std::hex << dialog.style;
    EXPECT_EQ(dialog.style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.cx, 235);
    EXPECT_EQ(dialog.cy, 55);
    EXPECT_EQ(dialog.caption, language.caption);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.face, language.face);
    ASSERT_EQ(dialog.items.size(), 4u);
    const DialogItem& icon = dialog.items[0];
    const DialogItem& version = dialog.items[1];
    const DialogItem& notice = dialog.items[2];
    const DialogItem& ok = dialog.items[3];
    for (const DialogItem* item : {&icon, &version, &notice}) {
      EXPECT_EQ(item->className, u"STATIC");
      EXPECT_EQ(item->style & kChild, kChild);
    }
    EXPECT_EQ(icon.style & SS_TYPEMASK, DWORD{SS_ICON});
    EXPECT_EQ(icon.text.ordinal, 128);
    EXPECT_EQ((std::vector<int>{icon.x, icon.y, icon.cx, icon.cy}), (std::vector<int>{11, 17, 20, 20}));
    EXPECT_EQ(version.style & SS_TYPEMASK, DWORD{SS_LEFT});
    EXPECT_TRUE(version.style & SS_NOPREFIX);
    EXPECT_EQ(version.text.name, u"QuorVEXSetup Version 1.00");
    EXPECT_EQ((std::vector<int>{version.x, version.y, version.cx, version.cy}), (std::vector<int>{40, 10, 119, 8}));
    EXPECT_EQ(notice.style & SS_TYPEMASK, DWORD{SS_LEFT});
    EXPECT_EQ((std::vector<int>{notice.x, notice.y, notice.cx, notice.cy}), (std::vector<int>{40, 25, 143, 8}));
    ExpectOneLineNotice(notice.text.name);
    notices.insert(notice.text.name);
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.className, u"BUTTON");
    EXPECT_EQ(ok.style, DWORD{kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON}) << std::hex << ok.style;
    EXPECT_EQ(ok.text.name, u"OK");
    EXPECT_EQ((std::vector<int>{ok.x, ok.y, ok.cx, ok.cy}), (std::vector<int>{178, 7, 50, 14}));
  }
  // The footer of the setup dialog shows the same notice.
  const DialogTemplate setup = Dialog(103);
  const DialogItem* footer = ItemWithId(setup, kFooterId);
  ASSERT_TRUE(footer);
  notices.insert(footer->text.name);
  EXPECT_EQ(notices.size(), 1u);
}

// Every resource carries language 1041, and these are all the dialogs and strings there are.
BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::set<WORD>*>(found)->insert(language);
  return TRUE;
}
BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
  auto* names = reinterpret_cast<std::vector<std::pair<std::string, std::set<WORD>>>*>(found);
  const std::string shown = IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name);
  const std::string typeShown = IS_INTRESOURCE(type) ? std::to_string(reinterpret_cast<ULONG_PTR>(type)) : std::string(type);
  names->push_back({typeShown + "/" + shown, {}});
  EnumResourceLanguagesA(module, type, name, &CollectLanguage, reinterpret_cast<LONG_PTR>(&names->back().second));
  return TRUE;
}
BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR found) {
  EnumResourceNamesA(module, type, &CollectName, found);
  return TRUE;
}

TEST_F(CompiledResources, EveryResourceIsJapaneseAndTheStringsAreTheTwo) {
  std::vector<std::pair<std::string, std::set<WORD>>> resources;
  EnumResourceTypesA(module_, &CollectType, reinterpret_cast<LONG_PTR>(&resources));
  std::set<std::string> names;
  for (const auto& resource : resources) {
    EXPECT_EQ(resource.second, std::set<WORD>{kJapanese}) << resource.first;
    names.insert(resource.first);
  }
  for (const char* name : {"5/100", "5/102", "5/103", "5/104", "14/128", "14/129", "12/162", "BITMAP256/133", "6/7"})
    EXPECT_EQ(names.count(name), 1u) << name;
  std::set<std::string> dialogsAndStrings;
  for (const std::string& name : names)
    if (name.rfind("5/", 0) == 0 || name.rfind("6/", 0) == 0) dialogsAndStrings.insert(name);
  EXPECT_EQ(dialogsAndStrings, (std::set<std::string>{"5/100", "5/102", "5/103", "5/104", "6/7"}));

  // Strings 96 to 111 make block 7: 101 is its sixth, 103 its eighth; nothing else is there.
  const Bytes block = Find(RT_STRING, 7);
  std::vector<std::u16string> strings;
  ASSERT_TRUE(block.data);
  ASSERT_TRUE(restest::ReadStringBlock(block.data, block.size, strings));
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(96 + i);
    if (i == 5)
      EXPECT_EQ(strings[5], u"QuorVEXSetup のバージョン情報(&A)...");
    else if (i == 7)
      EXPECT_EQ(strings[7], u"Windows ソケットの初期化に失敗しました。");
    else
      EXPECT_EQ(strings[i], u"");
  }
}

TEST_F(CompiledResources, ArtworkHasTheSizesThatBind) {
  // The banner: a complete 288 x 65, 4-bit, bottom-up BMP with the fixed headers and a table
  // of its six colours.
  const Bytes skin = Find("BITMAP256", 133);
  ASSERT_TRUE(skin.data);
  ASSERT_EQ(skin.size, 9438u);
  EXPECT_EQ(skin.data[0], 'B');
  EXPECT_EQ(skin.data[1], 'M');
  const struct {
    std::size_t offset;
    int size;
    std::uint32_t value;
  } fields[] = {{2, 4, 9438},  {6, 2, 0}, {8, 2, 0},   {10, 4, 78}, {14, 4, 40},   {18, 4, 288},
                {22, 4, 65},   {26, 2, 1}, {28, 2, 4},   {30, 4, 0},  {34, 4, 9360}, {38, 4, 4724},
                {42, 4, 4724}, {46, 4, 6}, {50, 4, 0}};
  for (const auto& field : fields)
    EXPECT_EQ(field.size == 2 ? ReadLittleEndian16(skin.data + field.offset)
                              : ReadLittleEndian32(skin.data + field.offset),
              field.value)
        << "offset " << field.offset;
  // The colour table: blue, green, red, 0 for each colour, in ascending (red, green, blue).
  const std::uint8_t table[6][4] = {{96, 32, 0, 0},    {128, 64, 0, 0},    {96, 96, 96, 0},
                                    {224, 160, 96, 0}, {216, 192, 176, 0}, {255, 255, 255, 0}};
  EXPECT_EQ(std::memcmp(skin.data + 54, table, sizeof table), 0);

  // Icon groups 128 (colour) and 129 (grey): 32 x 32 and 16 x 16 in 256 colours.
  for (int group : {128, 129}) {
    SCOPED_TRACE(group);
    const Bytes bytes = Find(RT_GROUP_ICON, group);
    std::vector<GroupEntry> entries;
    ASSERT_TRUE(bytes.data);
    ASSERT_TRUE(restest::ReadIconGroup(bytes.data, bytes.size, false, entries));
    std::set<int> sizes;
    for (const GroupEntry& entry : entries) {
      SCOPED_TRACE(entry.width);
      sizes.insert(entry.width);
      EXPECT_EQ(entry.height, entry.width);
      EXPECT_EQ(entry.colourCount, 0) << "256 colours are written as 0";
      EXPECT_EQ(entry.planes, 1);
      EXPECT_EQ(entry.bitCount, 8);
      const Bytes image = Find(RT_ICON, entry.id);
      restest::ImageHeader header;
      ASSERT_TRUE(image.data);
      EXPECT_EQ(image.size, entry.bytes);
      ASSERT_TRUE(restest::ReadImageHeader(image.data, image.size, header));
      EXPECT_EQ(header.width, entry.width);
      EXPECT_EQ(header.height, 2 * entry.width);
      EXPECT_EQ(header.bitCount, 8);
    }
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
  }

  // The hand cursor: 32 x 32, 16 colours, hot spot (16, 16).
  const Bytes cursorGroup = Find(RT_GROUP_CURSOR, 162);
  std::vector<GroupEntry> cursors;
  ASSERT_TRUE(cursorGroup.data);
  ASSERT_TRUE(restest::ReadIconGroup(cursorGroup.data, cursorGroup.size, true, cursors));
  ASSERT_EQ(cursors.size(), 1u);
  EXPECT_EQ(cursors[0].width, 32);
  EXPECT_EQ(cursors[0].height, 64);
  EXPECT_EQ(cursors[0].planes, 1);
  // The entry's bit count is not looked at: windres writes 1 for every cursor. The image
  // header below holds the colours.
  const Bytes cursor = Find(RT_CURSOR, cursors[0].id);
  ASSERT_TRUE(cursor.data);
  ASSERT_GT(cursor.size, restest::image_layout::kCursorHeaderOffset);
  EXPECT_EQ(ReadLittleEndian16(cursor.data + restest::image_layout::kHotSpotX), 16);
  EXPECT_EQ(ReadLittleEndian16(cursor.data + restest::image_layout::kHotSpotY), 16);
  restest::ImageHeader header;
  ASSERT_TRUE(restest::ReadImageHeader(cursor.data + restest::image_layout::kCursorHeaderOffset,
                                       cursor.size - restest::image_layout::kCursorHeaderOffset, header));
  EXPECT_EQ(header.width, 32);
  EXPECT_EQ(header.height, 64);
  EXPECT_EQ(header.bitCount, 4);
}

}  // namespace
