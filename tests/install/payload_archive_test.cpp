// The extraction stage under Wine on the real file system, with archives made by the
// archive writer: folders made on the way, data and times written, damaged files refused
// before anything is written, and a missing setup file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "install/payload_archive.h"
#include "bytes/little_endian.h"
#include "tests/install/run_fixture.h"
#include "tests/support/recording_run_host.h"
#include "tests/support/system_code_page.h"
#include "text/message_catalog.h"

namespace {

// 2021-03-04 05:06:07.5 UTC: the half second must be cut off.
constexpr std::uint64_t kWriteTime = 132592755675000000ull;

struct Entry {
  std::string name;
  std::string data;
};

std::string MakeSetupFile(const std::vector<Entry>& entries) {
  std::vector<runtest::PayloadFile> files;
  for (const Entry& entry : entries) files.push_back({entry.name, entry.data, kWriteTime});
  const std::string image = "MZ-image";
  const std::vector<std::uint8_t> bytes = runtest::SetupFileBytes({image.begin(), image.end()}, files);
  return std::string(bytes.begin(), bytes.end());
}

class PayloadArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "qx-payload-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(root_.c_str(), nullptr);
    target_ = root_ + "target\\deeper\\";
  }
  void TearDown() override {
    std::string command = "cmd /c rmdir /s /q \"" + root_ + "\" >nul 2>nul";
    system(command.c_str());
  }
  std::string WriteSetup(const std::string& bytes) {
    const std::string path = root_ + "setup.exe";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }
  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  static std::string Read(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string text(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(file);
    text.resize(got);
    return text;
  }

  // Extracts the setup file into target_, the boxes recorded as events of host.
  void Extract(const std::string& setupPath) {
    archive.ExtractSetupFile(setupPath, target_, host);
  }

  std::string root_;
  std::string target_;
  RecordingRunHost host;
  PayloadArchive archive;
};

TEST_F(PayloadArchiveTest, WritesFilesFoldersAndTimesToTheSecond) {
  const std::string setup = WriteSetup(MakeSetupFile({{"sub\\dir\\a.txt", "alpha"}, {"b.txt", ""}}));
  Extract(setup);
  EXPECT_FALSE(host.Failed());
  EXPECT_TRUE(host.EventsOf("box").empty());
  EXPECT_EQ(Read(target_ + "sub\\dir\\a.txt"), "alpha");
  EXPECT_TRUE(Exists(target_ + "b.txt"));
  EXPECT_EQ(host.EventsOf("progress"), (std::vector<std::string>{"0/2", "1/2"}));
  std::string listed;
  ASSERT_NE(archive.GetInstalledFile(0, listed), nullptr);
  EXPECT_EQ(listed, target_ + "sub\\dir\\a.txt");

  HANDLE file = CreateFileA((target_ + "sub\\dir\\a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  FILETIME write{};
  GetFileTime(file, nullptr, nullptr, &write);
  CloseHandle(file);
  const std::uint64_t got = static_cast<std::uint64_t>(write.dwHighDateTime) << 32 | write.dwLowDateTime;
  EXPECT_EQ(got, archive::WholeSeconds(kWriteTime));
}

TEST_F(PayloadArchiveTest, DamagedAreaIsRefusedBeforeAnyFileIsWritten) {
  std::string bytes = MakeSetupFile({{"a.txt", "alpha"}, {"b.txt", "beta"}});
  bytes[bytes.size() - archive::kTrailerSize - 1] ^= 0x01;  // last data byte of b.txt
  const std::string setup = WriteSetup(bytes);
  Extract(setup);
  EXPECT_TRUE(host.Failed());
  EXPECT_EQ(host.EventsOf("box"), (std::vector<std::string>{CatalogText(436)}));
  EXPECT_FALSE(Exists(target_ + "a.txt"));
  std::string listed;
  EXPECT_EQ(archive.GetInstalledFile(0, listed), nullptr);
}

TEST_F(PayloadArchiveTest, UnsafeNameIsRefusedAndNothingIsWritten) {
  const std::string setup = WriteSetup(MakeSetupFile({{"a.txt", "alpha"}, {"..\\escape.txt", "x"}}));
  Extract(setup);
  EXPECT_TRUE(host.Failed());
  EXPECT_EQ(host.EventsOf("box"), (std::vector<std::string>{CatalogText(436)}));
  EXPECT_FALSE(Exists(target_ + "a.txt"));
  EXPECT_FALSE(Exists(root_ + "target\\escape.txt"));
}

TEST_F(PayloadArchiveTest, MissingSetupFileShowsABoxAndFails) {
  Extract(root_ + "none.exe");
  EXPECT_TRUE(host.Failed());
  EXPECT_EQ(host.EventsOf("box"), (std::vector<std::string>{CatalogText(435)}));
}

TEST_F(PayloadArchiveTest, AnAreaLargerThanTheFileIsRefusedBeforeAnyRead) {
  std::string bytes = MakeSetupFile({{"a.txt", "alpha"}});
  // areaSize, complemented, as the trailer stores it: far more than the file holds.
  WriteLittleEndian32(reinterpret_cast<std::uint8_t*>(&bytes[bytes.size() - 8]), ~0x7FFFFFFFu);
  const std::string setup = WriteSetup(bytes);
  Extract(setup);
  EXPECT_TRUE(host.Failed());
  EXPECT_EQ(host.EventsOf("box"), (std::vector<std::string>{CatalogText(436)}));
  EXPECT_FALSE(Exists(target_ + "a.txt"));
}

TEST_F(PayloadArchiveTest, AnExistingLongerFileIsTruncated) {
  CreateDirectoryA((root_ + "target").c_str(), nullptr);
  CreateDirectoryA(target_.c_str(), nullptr);
  HANDLE old = CreateFileA((target_ + "a.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(old, "an earlier, much longer file", 28, &written, nullptr);
  CloseHandle(old);
  const std::string setup = WriteSetup(MakeSetupFile({{"a.txt", "new"}}));
  Extract(setup);
  EXPECT_FALSE(host.Failed());
  EXPECT_EQ(Read(target_ + "a.txt"), "new");
}

TEST_F(PayloadArchiveTest, ADestinationThatCannotBeOpenedShows516Then436AndKeepsEarlierFiles) {
  // A folder where the second file should go: it cannot be opened for writing.
  CreateDirectoryA((root_ + "target").c_str(), nullptr);
  CreateDirectoryA(target_.c_str(), nullptr);
  CreateDirectoryA((target_ + "b.txt").c_str(), nullptr);
  const std::string setup = WriteSetup(MakeSetupFile({{"a.txt", "alpha"}, {"b.txt", "beta"}, {"c.txt", "gamma"}}));
  Extract(setup);
  EXPECT_TRUE(host.Failed());
  const std::string format = CatalogText(516);
  std::string first = format.substr(0, format.find("%s")) + target_ + "b.txt";
  EXPECT_EQ(host.EventsOf("box"), (std::vector<std::string>{first, CatalogText(436)}));
  EXPECT_EQ(host.EventsOf("status"), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(host.EventsOf("progress"), (std::vector<std::string>{"0/3"}));
  std::string listed;
  ASSERT_NE(archive.GetInstalledFile(0, listed), nullptr);
  EXPECT_EQ(listed, target_ + "a.txt");
  EXPECT_EQ(archive.GetInstalledFile(1, listed), nullptr);
  EXPECT_FALSE(Exists(target_ + "c.txt"));
}

// Under code page 932 the folder name 0x95 0x5C is one character whose trail byte is a backslash:
// one folder, not two.
TEST_F(PayloadArchiveTest, ATrailByte5CIsNoSeparatorOnAJapaneseSystem) {
  ASSERT_TRUE(testsupport::SystemHasExpectedCodePage()) << "the Japanese entry runs on code page " << GetACP();
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932 (LC_ALL=ja_JP.UTF-8)";
  const std::string folder = "\x95\x5C";
  const std::string setup = WriteSetup(MakeSetupFile({{folder + "\\a.txt", "alpha"}}));
  Extract(setup);
  EXPECT_FALSE(host.Failed());
  EXPECT_EQ(Read(target_ + folder + "\\a.txt"), "alpha");
  // Cut at the trail byte, the lead byte alone would have become a folder of its own.
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((target_ + "*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ(names, (std::vector<std::string>{folder}));
}

// A setup program signed by the test's fixture (osslsigncode, throw-away certificate):
// its payload lies before the certificate table and still extracts whole.
TEST_F(PayloadArchiveTest, ASignedSetupProgramStillFindsItsPayload) {
  const char* signedSetup = std::getenv("QX_SIGNED_SETUP");
  if (!signedSetup) GTEST_SKIP() << "QX_SIGNED_SETUP not set";
  Extract(signedSetup);
  EXPECT_FALSE(host.Failed());
  EXPECT_TRUE(host.EventsOf("box").empty());
  EXPECT_TRUE(Exists(target_ + "QuorVEX.exe"));
  EXPECT_TRUE(Exists(target_ + "bin\\quorvex_codec.dll"));
  EXPECT_EQ(Read(target_ + "readme.txt"), Read(std::getenv("QX_SAMPLE_README")));
}

}  // namespace
