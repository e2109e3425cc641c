// The setup program's command line: the dialog's "-u" as it always was, and the switches
// of the unattended front end.
#include "startup/launch_options.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using startup::LaunchOptions;
using Mode = startup::LaunchOptions::Mode;

// --- Command line -----------------------------------------------------------------------

struct CommandLineCase {
  const char* commandLine;
  const char* arguments;
  bool uninstall;
};

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, ArgumentsAndMode) {
  const CommandLineCase& c = GetParam();
  EXPECT_STREQ(startup::ArgumentsOf(c.commandLine), c.arguments);
  EXPECT_EQ(startup::SelectsUninstallMode(startup::ArgumentsOf(c.commandLine)), c.uninstall) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(CommandLineCase{"QuorVEXSetup.exe", "", false},
                      CommandLineCase{"QuorVEXSetup.exe -u", "-u", true},
                      CommandLineCase{"\"C:\\Program Files\\QuorVEX\\QuorVEXSetup.exe\" -u", "-u", true},
                      CommandLineCase{"\"C:\\Program Files\\QuorVEX\\QuorVEXSetup.exe\"", "", false},
                      CommandLineCase{"setup.exe /x-uninstall", "/x-uninstall", true},  // inside a word
                      CommandLineCase{"setup.exe -U", "-U", false},                      // case-sensitive
                      CommandLineCase{"setup.exe - u", "- u", false},
                      // The program's own path does not count.
                      CommandLineCase{"\"C:\\my-uploads\\QuorVEXSetup.exe\"", "", false},
                      CommandLineCase{"C:\\my-uploads\\QuorVEXSetup.exe", "", false},
                      CommandLineCase{"C:\\my-uploads\\QuorVEXSetup.exe \t -u", "-u", true},
                      CommandLineCase{"", "", false}));

TEST(CommandLine, NullHasNoArguments) {
  EXPECT_STREQ(startup::ArgumentsOf(nullptr), "");
  EXPECT_FALSE(startup::SelectsUninstallMode(nullptr));
}

// --- Launch options ---------------------------------------------------------------------

struct LaunchCase {
  const char* arguments;
  Mode mode;
  bool uninstall;
  bool hasFolder;
  const char* folder;
  const char* logFile;
};

class Launch : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(Launch, ReadsModeFolderAndLog) {
  const LaunchCase& c = GetParam();
  const LaunchOptions options = startup::ParseLaunchOptions(c.arguments, &IsNeverLeadByte);
  EXPECT_EQ(options.mode, c.mode) << options.error;
  EXPECT_EQ(options.uninstall, c.uninstall);
  EXPECT_EQ(options.hasFolder, c.hasFolder);
  EXPECT_EQ(options.folder, c.folder);
  EXPECT_EQ(options.logFile, c.logFile);
  EXPECT_EQ(options.error.empty(), c.mode != Mode::kInvalid) << options.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Launch,
    ::testing::Values(
        // Without /S the line means what it always meant: the dialog, "-u" anywhere.
        LaunchCase{"", Mode::kDialog, false, false, "", ""},
        LaunchCase{"-u", Mode::kDialog, true, false, "", ""},
        LaunchCase{"/x-uninstall /unknown", Mode::kDialog, true, false, "", ""},
        LaunchCase{"/D=C:\\Apps", Mode::kDialog, false, true, "C:\\Apps", ""},
        // Unattended.
        LaunchCase{"/S", Mode::kUnattended, false, false, "", ""},
        LaunchCase{"/s", Mode::kUnattended, false, false, "", ""},
        LaunchCase{"-u /S", Mode::kUnattended, true, false, "", ""},
        LaunchCase{"/S -u", Mode::kUnattended, true, false, "", ""},
        LaunchCase{"/S /D=C:\\Program Files\\Quor VEX", Mode::kUnattended, false, true,
                   "C:\\Program Files\\Quor VEX", ""},
        LaunchCase{"/S /d=C:\\Apps\\X  ", Mode::kUnattended, false, true, "C:\\Apps\\X", ""},
        // /D= takes the rest of the line, switches and all.
        LaunchCase{"/S /D=C:\\a /LOG=x", Mode::kUnattended, false, true, "C:\\a /LOG=x", ""},
        LaunchCase{"/S /LOG=C:\\setup.log /D=C:\\Apps", Mode::kUnattended, false, true, "C:\\Apps", "C:\\setup.log"},
        LaunchCase{"/S /log=\"C:\\my logs\\setup.log\"", Mode::kUnattended, false, false, "", "C:\\my logs\\setup.log"},
        // "/D=" inside a word is no switch.
        LaunchCase{"/S /LOG=a/D=b", Mode::kUnattended, false, false, "", "a/D=b"},
        // Usage wins over everything.
        LaunchCase{"/?", Mode::kUsage, false, false, "", ""},
        LaunchCase{"/S /? /bogus", Mode::kUsage, false, false, "", ""},
        // Lines an unattended run cannot carry out.
        LaunchCase{"/S /bogus", Mode::kInvalid, false, false, "", ""},
        LaunchCase{"/S extra", Mode::kInvalid, false, false, "", ""},
        LaunchCase{"/S -U", Mode::kInvalid, false, false, "", ""},
        LaunchCase{"/S /D=", Mode::kInvalid, false, true, "", ""},
        LaunchCase{"/S /D=   ", Mode::kInvalid, false, true, "", ""},
        LaunchCase{"/S /LOG=", Mode::kInvalid, false, false, "", ""}));

// The folder is measured in characters, as the folder field measures it: 259 double-byte
// characters fit, 260 single-byte ones do not.
TEST(Launch, FolderLengthIsCountedInCharacters) {
  std::string japanese;
  for (int i = 0; i < 259; ++i) japanese += "\x95\x5C";  // one character ending in 0x5C
  EXPECT_EQ(startup::ParseLaunchOptions(("/S /D=" + japanese).c_str(), &IsCp932LeadByte).mode, Mode::kUnattended);
  EXPECT_EQ(startup::ParseLaunchOptions(("/S /D=" + japanese + "x").c_str(), &IsCp932LeadByte).mode, Mode::kInvalid);
  const std::string ascii(259, 'a');
  EXPECT_EQ(startup::ParseLaunchOptions(("/S /D=" + ascii).c_str(), &IsNeverLeadByte).mode, Mode::kUnattended);
  EXPECT_EQ(startup::ParseLaunchOptions(("/S /D=" + ascii + "a").c_str(), &IsNeverLeadByte).mode, Mode::kInvalid);
  // A trail byte 0x5C at the end is part of the folder, not a separator to trim.
  EXPECT_EQ(startup::ParseLaunchOptions("/S /D=C:\\\x95\x5C", &IsCp932LeadByte).folder, "C:\\\x95\x5C");
}

}  // namespace
