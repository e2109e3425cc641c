#include "install/registration_rows.h"

namespace {
constexpr char kMainProgramFile[] = "Quorvex.exe";
}

std::vector<RegistryRow> UninstallEntryRows(const std::string& targetFolder, const std::string& displayName) {
  return {
      {RegistryRoot::CurrentUser, kUninstallEntryKey, "DisplayName", displayName},
      {RegistryRoot::CurrentUser, kUninstallEntryKey, "UninstallString", targetFolder + "QuorVEXSetup.exe -u"},
  };
}

std::vector<InventoryValue> InventoryValues(const InstallFacts& facts) {
  const std::uint64_t kilobytes = (facts.installedBytes + 1023) / 1024;
  const std::uint32_t size = kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kilobytes);
  const auto text = [](const char* name, const std::string& value) { return InventoryValue{name, false, value, 0}; };
  const auto number = [](const char* name, std::uint32_t value) { return InventoryValue{name, true, "", value}; };
  return {
      text("DisplayIcon", facts.targetFolder + kMainProgramFile),
      text("DisplayVersion", facts.version),
      text("Publisher", facts.publisher),
      text("InstallLocation", facts.targetFolder),
      text("InstallDate", facts.installDate),
      number("EstimatedSize", size),
      text("QuietUninstallString", "\"" + facts.targetFolder + "QuorVEXSetup.exe\" -u /S"),
      number("NoModify", 1),
      number("NoRepair", 1),
  };
}

std::vector<RegistryRow> ClientRegistrationRows(const std::string& folder) {
  const std::string client = kClientRegistrationKey;
  const std::string program = folder + kMainProgramFile;
  const std::string callto = client + "\\Protocols\\callto";
  const RegistryRoot hklm = RegistryRoot::LocalMachine;
  return {
      {hklm, client, "", "Quorvex"},
      {hklm, client + "\\shell", "", ""},
      {hklm, client + "\\shell\\open", "", ""},
      {hklm, client + "\\shell\\open\\command", "", "\"" + program + "\""},
      {hklm, client + "\\Protocols", "", ""},
      {hklm, callto, "", "URL: CallTo Protocol"},
      {hklm, callto, "URL Protocol", ""},
      {hklm, callto + "\\defaulticon", "", "\"" + program + "\",1"},
      {hklm, callto + "\\shell", "", ""},
      {hklm, callto + "\\shell\\open", "", ""},
      {hklm, callto + "\\shell\\open\\command", "", program + " %l"},
  };
}

unsigned long RegistryDataSize(const std::string& data) {
  return data.empty() ? 0 : static_cast<unsigned long>(data.size() + 1);
}
