#include "install/registration_rows.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistrationRows, UninstallEntryNamesTheSetupProgramUnquoted) {
  const auto rows = UninstallEntryRows("D:\\Apps\\QuorVEX\\", "Uninstallation of QuorVEX");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX");
  EXPECT_EQ(rows[0].valueName, "DisplayName");
  EXPECT_EQ(rows[0].data, "Uninstallation of QuorVEX");
  EXPECT_EQ(rows[1].valueName, "UninstallString");
  EXPECT_EQ(rows[1].data, "D:\\Apps\\QuorVEX\\QuorVEXSetup.exe -u");
  EXPECT_EQ(rows[1].root, RegistryRoot::CurrentUser);
}

TEST(RegistrationRows, ClientRegistrationRowsByteForByte) {
  const std::string c = "Software\\Clients\\Internet Call\\Quorvex";
  const std::string p = "D:\\Apps\\QuorVEX\\Quorvex.exe";
  const std::vector<RegistryRow> expected = {
      {RegistryRoot::LocalMachine, c, "", "Quorvex"},
      {RegistryRoot::LocalMachine, c + "\\shell", "", ""},
      {RegistryRoot::LocalMachine, c + "\\shell\\open", "", ""},
      {RegistryRoot::LocalMachine, c + "\\shell\\open\\command", "", "\"" + p + "\""},
      {RegistryRoot::LocalMachine, c + "\\Protocols", "", ""},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto", "", "URL: CallTo Protocol"},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto", "URL Protocol", ""},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto\\defaulticon", "", "\"" + p + "\",1"},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto\\shell", "", ""},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto\\shell\\open", "", ""},
      {RegistryRoot::LocalMachine, c + "\\Protocols\\callto\\shell\\open\\command", "", p + " %l"},
  };
  const auto rows = ClientRegistrationRows("D:\\Apps\\QuorVEX\\");
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i + 4);
    EXPECT_EQ(rows[i].root, expected[i].root);
    EXPECT_EQ(rows[i].key, expected[i].key);
    EXPECT_EQ(rows[i].valueName, expected[i].valueName);
    EXPECT_EQ(rows[i].data, expected[i].data);
  }
}

TEST(RegistrationRows, EmptyValueHasNoDataTextCountsItsTerminator) {
  EXPECT_EQ(RegistryDataSize(""), 0u);
  EXPECT_EQ(RegistryDataSize("Quorvex"), 8u);
}

}  // namespace
