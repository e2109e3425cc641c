// The program's message boxes, with a recorder in place of MessageBoxA.
#include "ui/message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "text/language.h"
#include "text/message_catalog.h"

namespace {

struct ShownBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

std::vector<ShownBox> g_shown;
int g_answer = IDOK;
std::function<void()> g_whileOpen;  // runs once, while the next recorded box is "open"

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  g_shown.push_back({owner, text, caption, type});
  std::function<void()> whileOpen = std::move(g_whileOpen);
  g_whileOpen = nullptr;
  if (whileOpen) whileOpen();
  return g_answer;
}

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_shown.clear();
    g_answer = IDOK;
    g_whileOpen = nullptr;
    previous_ = SetMessageBoxPresenter(&RecordBox);
    language::SetIndex(language::kEnglish);
  }
  void TearDown() override {
    SetMessageBoxPresenter(previous_);
    g_whileOpen = nullptr;
  }
  MessageBoxPresenter previous_ = nullptr;
};

TEST_F(MessageBoxTest, ShowsTextUnchangedWithCaptionQuorvexAndNoOwner) {
  g_answer = IDNO;
  EXPECT_EQ(ShowMessage(CatalogText(434), MB_YESNO | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(g_shown.size(), 1u);
  EXPECT_EQ(g_shown[0].owner, nullptr);
  EXPECT_EQ(g_shown[0].text, "The setup is not completed. May I end as it is?");
  EXPECT_EQ(g_shown[0].caption, "Quorvex");
  EXPECT_EQ(g_shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

  language::SetIndex(language::kJapanese);
  ShowMessage(CatalogText(436), MB_ICONEXCLAMATION);
  ASSERT_EQ(g_shown.size(), 2u);
  EXPECT_EQ(g_shown[1].caption, "Quorvex");
  EXPECT_EQ(g_shown[1].text, CatalogTextIn(436, language::kJapanese));
}

struct BusyCase {
  UINT type;
  int expected;
};

TEST_F(MessageBoxTest, WhileABoxIsOpenOthersAreNotShownAndGetTheSubstituteResult) {
  const BusyCase cases[] = {
      {MB_YESNO | MB_ICONQUESTION, IDYES},  // a question counts as answered Yes
      {MB_ICONEXCLAMATION, 0},              // a warning is lost
      {MB_ICONHAND, 0},
      {MB_OKCANCEL, IDOK},
      {MB_YESNOCANCEL, IDOK},  // 0x3: the rule looks at the bits, not at the buttons
      {MB_YESNO, IDYES},
  };
  std::vector<int> nestedResults;
  int nestedSystemError = -1;
  g_whileOpen = [&] {
    for (const BusyCase& c : cases) nestedResults.push_back(ShowMessage("nested", c.type));
    nestedSystemError = ShowSystemError(ERROR_FILE_NOT_FOUND);
  };
  EXPECT_EQ(ShowMessage("outer", MB_ICONEXCLAMATION), IDOK);

  ASSERT_EQ(g_shown.size(), 1u) << "a nested box was shown";
  ASSERT_EQ(nestedResults.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(nestedResults[i], cases[i].expected) << "case " << i;
  EXPECT_EQ(nestedSystemError, 0);

  // Once the box is closed the next one is shown again.
  ShowMessage("after", MB_ICONEXCLAMATION);
  ASSERT_EQ(g_shown.size(), 2u);
  EXPECT_EQ(g_shown[1].text, "after");
}

TEST_F(MessageBoxTest, TwoThreadsNeverBothOpenABox) {
  HANDLE boxOpen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_whileOpen = [&] {
    SetEvent(boxOpen);
    WaitForSingleObject(release, 10000);
  };
  int workerResult = -1;
  std::thread worker([&] { workerResult = ShowMessage("worker", MB_ICONEXCLAMATION); });
  ASSERT_EQ(WaitForSingleObject(boxOpen, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(ShowMessage("main", MB_YESNO | MB_ICONQUESTION), IDYES);
  SetEvent(release);
  worker.join();
  EXPECT_EQ(workerResult, IDOK);
  ASSERT_EQ(g_shown.size(), 1u);
  EXPECT_EQ(g_shown[0].text, "worker");
  CloseHandle(boxOpen);
  CloseHandle(release);
}

TEST_F(MessageBoxTest, SystemErrorShowsTheSystemTextWithTheErrorIcon) {
  EXPECT_EQ(ShowSystemError(ERROR_ACCESS_DENIED), IDOK);
  ASSERT_EQ(g_shown.size(), 1u);
  char* expected = nullptr;
  ASSERT_NE(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                           nullptr, ERROR_ACCESS_DENIED, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                           reinterpret_cast<LPSTR>(&expected), 0, nullptr),
            0u);
  EXPECT_EQ(g_shown[0].text, expected);  // the system's line break kept as it comes
  LocalFree(expected);
  EXPECT_EQ(g_shown[0].caption, "Quorvex");
  EXPECT_EQ(g_shown[0].type, static_cast<UINT>(MB_ICONHAND));
  EXPECT_EQ(g_shown[0].owner, nullptr);
}

TEST_F(MessageBoxTest, SystemErrorWithoutSystemTextShowsTheNumberedCatalogText) {
  const DWORD unknownCode = 0xE0001234;  // customer bit set: no system text
  ShowSystemError(unknownCode);
  language::SetIndex(language::kJapanese);
  ShowSystemError(unknownCode);
  ASSERT_EQ(g_shown.size(), 2u);
  EXPECT_EQ(g_shown[0].text, "The error occurred. Error number[-536866252]\n");
  char japanese[128];
  std::snprintf(japanese, sizeof japanese, CatalogTextIn(323, language::kJapanese), -536866252);
  EXPECT_EQ(g_shown[1].text, japanese);
  EXPECT_NE(g_shown[1].text, g_shown[0].text);
}

// A failure that left no error code must never read as the system's "success".
TEST_F(MessageBoxTest, SystemErrorZeroShowsTheNumberedCatalogTextNotSuccess) {
  ShowSystemError(ERROR_SUCCESS);
  ASSERT_EQ(g_shown.size(), 1u);
  EXPECT_EQ(g_shown[0].text, "The error occurred. Error number[0]\n");
  EXPECT_EQ(g_shown[0].type, static_cast<UINT>(MB_ICONHAND));
}

}  // namespace
