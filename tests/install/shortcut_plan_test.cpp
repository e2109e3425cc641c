#include "install/shortcut_plan.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* path;
  const char* base;
  const char* extension;
  ShortcutKind kind;
};

TEST(ShortcutPlan, KindAndNameOfInstalledFiles) {
  const Case cases[] = {
      {"C:\\Q\\QuorVEXSetup.exe", "QuorVEXSetup", ".exe", ShortcutKind::Uninstall},
      {"C:\\Q\\quorvexsetup.EXE", "quorvexsetup", ".EXE", ShortcutKind::Uninstall},
      {"C:\\Q\\Quorvex.exe", "Quorvex", ".exe", ShortcutKind::MainProgram},
      {"C:\\Q\\sub/tool.exe", "tool", ".exe", ShortcutKind::Program},
      {"C:\\Q\\readme.txt", "readme", ".txt", ShortcutKind::None},
      {"C:\\Q.d\\noext", "noext", "", ShortcutKind::None},
      {"C:\\Q\\a.b.exe", "a.b", ".exe", ShortcutKind::Program},
      {"C:\\Q\\tool.exe.bak", "tool.exe", ".bak", ShortcutKind::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const InstalledFileName name = SplitInstalledFileName(c.path, &IsNeverLeadByte);
    EXPECT_EQ(name.baseName, c.base);
    EXPECT_EQ(name.extension, c.extension);
    EXPECT_EQ(ShortcutKindFor(name), c.kind);
  }
}

TEST(ShortcutPlan, TrailByte5CIsNoSeparator) {
  // "\x95\x5C" is one Shift-JIS character whose trail byte is "\".
  const InstalledFileName name = SplitInstalledFileName("C:\\Q\\\x95\x5C.exe", &IsCp932LeadByte);
  EXPECT_EQ(name.baseName, "\x95\x5C");
  EXPECT_EQ(SplitInstalledFileName("C:\\Q\\\x95\x5C.exe", &IsNeverLeadByte).baseName, "");
}

TEST(ShortcutPlan, FailedSaveCountsOnlyWhenTheLinkExists) {
  EXPECT_TRUE(SaveCountsAsCreated(true, 0));
  EXPECT_TRUE(SaveCountsAsCreated(false, 183));
  EXPECT_FALSE(SaveCountsAsCreated(false, 5));
  EXPECT_FALSE(SaveCountsAsCreated(false, 0));
  EXPECT_EQ(GroupShortcutPath("G", "tool"), "G\\tool.lnk");
}

}  // namespace
