#include "uninstall/listed_path.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* path;
  const char* folder;
  bool inside;
};

TEST(ListedPath, OnlyFilesBelowTheSetupFolder) {
  const Case cases[] = {
      {"C:\\Apps\\X\\Quorvex.exe", "C:\\Apps\\X\\", true},
      {"c:\\apps\\x\\sub\\a.dll", "C:\\Apps\\X\\", true},
      {"C:\\Apps\\X/sub/a.dll", "C:\\Apps\\X\\", true},
      {"C:\\Apps\\X\\..\\..\\Windows\\win.ini", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X\\sub\\..\\a", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X\\.. \\a", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X\\...\\a", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X\\a\\..", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X\\.\\a", "C:\\Apps\\X\\", true},
      {"C:\\Apps\\X\\..a", "C:\\Apps\\X\\", true},
      {"C:\\Apps\\XY\\a", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\XY\\a", "C:\\Apps\\X", false},
      {"C:\\Apps\\X\\a", "C:\\Apps\\X", true},
      {"C:\\Apps\\X\\", "C:\\Apps\\X\\", false},
      {"C:\\Apps\\X", "C:\\Apps\\X\\", false},
      {"C:\\Windows\\win.ini", "C:\\Apps\\X\\", false},
      {"", "C:\\Apps\\X\\", false},
      {"D:\\Apps\\X\\a", "C:\\Apps\\X\\", false},
      // an empty folder field: only relative paths
      {"Quorvex.exe", "", true},
      {"sub\\a.dll", "", true},
      {"C:\\Windows\\win.ini", "", false},
      {"\\Windows\\win.ini", "", false},
      {"C:win.ini", "", false},
      {"..\\a", "", false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " in " + c.folder);
    EXPECT_EQ(IsInsideSetupFolder(c.path, c.folder, &IsNeverLeadByte), c.inside);
  }
}

TEST(ListedPath, DoubleByteCharactersCompareExactly) {
  // "\x83\x41" and "\x83\x61" are different Shift-JIS characters, though their trail bytes
  // differ only in ASCII case; "\x95\x5C" ends in a trail byte 0x5C.
  const std::string folder = "C:\\\x83\x41\\";
  EXPECT_TRUE(IsInsideSetupFolder("C:\\\x83\x41\\a.exe", folder, &IsCp932LeadByte));
  EXPECT_FALSE(IsInsideSetupFolder("C:\\\x83\x61\\a.exe", folder, &IsCp932LeadByte));
  EXPECT_TRUE(IsInsideSetupFolder("C:\\\x95\x5C\\a.exe", "C:\\\x95\x5C\\", &IsCp932LeadByte));
  EXPECT_FALSE(IsInsideSetupFolder("C:\\\x95\x5C..\\a.exe", "C:\\\x95\x5C", &IsCp932LeadByte));
}

}  // namespace
