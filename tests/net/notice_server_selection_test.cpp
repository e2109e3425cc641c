#include "net/notice_server_selection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using net::kProbeEcho;
using net::kProbeHttp;
using net::NoticeHostCache;
using net::NoticeServerEntry;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::StrEq;
using ::testing::StrictMock;

class MockProbes : public net::NoticeProbes {
 public:
  MOCK_METHOD(bool, Echo, (const char* host), (override));
  MOCK_METHOD(bool, Http, (const std::string& url), (override));
};

const NoticeServerEntry kTable[net::kNoticeServerCount] = {
    {kProbeEcho, "one.example"},
    {kProbeEcho, "two.example"},
    {kProbeHttp, "three.example/notice"},
};
const char* const kThreeUrl = "http://three.example/notice/index.htm";

class SelectionTest : public ::testing::Test {
 protected:
  std::string Select() {
    std::string out = "stale";
    net::SelectNoticeHost(kTable, probes_, cache_, out);
    return out;
  }
  StrictMock<MockProbes> probes_;  // any probe not expected fails the test
  NoticeHostCache cache_;
};

TEST_F(SelectionTest, FirstHostAnsweringEndsTheSearch) {
  EXPECT_CALL(probes_, Echo(StrEq("one.example"))).WillOnce(Return(true));
  EXPECT_EQ("one.example", Select());
}

TEST_F(SelectionTest, SecondEchoHostAnswering) {
  InSequence order;
  EXPECT_CALL(probes_, Echo(StrEq("one.example"))).WillOnce(Return(false));
  EXPECT_CALL(probes_, Echo(StrEq("two.example"))).WillOnce(Return(true));
  EXPECT_EQ("two.example", Select());
}

// Any HTTP response selects the host (404 included): the probe reports it as an answer.
TEST_F(SelectionTest, SilentEchoHostsFallBackToHttp) {
  InSequence order;
  EXPECT_CALL(probes_, Echo(StrEq("one.example"))).WillOnce(Return(false));
  EXPECT_CALL(probes_, Echo(StrEq("two.example"))).WillOnce(Return(false));
  EXPECT_CALL(probes_, Http(kThreeUrl)).WillOnce(Return(true));
  EXPECT_EQ("three.example/notice", Select());
}

TEST_F(SelectionTest, AllFailingGivesEmptyAndProbesAgainNextTime) {
  for (int call = 0; call < 2; ++call) {
    InSequence order;
    EXPECT_CALL(probes_, Echo(StrEq("one.example"))).WillOnce(Return(false));
    EXPECT_CALL(probes_, Echo(StrEq("two.example"))).WillOnce(Return(false));
    EXPECT_CALL(probes_, Http(kThreeUrl)).WillOnce(Return(false));
    EXPECT_EQ("", Select()) << "call " << call;
    EXPECT_TRUE(cache_.IsEmpty());
    ::testing::Mock::VerifyAndClearExpectations(&probes_);
  }
}

TEST_F(SelectionTest, SecondCallAfterAnAnswerProbesNothing) {
  InSequence order;
  EXPECT_CALL(probes_, Echo(StrEq("one.example"))).WillOnce(Return(false));
  EXPECT_CALL(probes_, Echo(StrEq("two.example"))).WillOnce(Return(true));
  EXPECT_EQ("two.example", Select());
  EXPECT_EQ("two.example", Select());  // StrictMock: a further probe would fail
  EXPECT_STREQ("two.example", cache_.Text());
}

TEST(SelectionKindTest, AnyKindOtherThanEchoIsHttp) {
  const NoticeServerEntry table[net::kNoticeServerCount] = {
      {7, "seven.example"}, {-1, "minus.example"}, {kProbeEcho, "echo.example"}};
  StrictMock<MockProbes> probes;
  NoticeHostCache cache;
  InSequence order;
  EXPECT_CALL(probes, Http("http://seven.example/index.htm")).WillOnce(Return(false));
  EXPECT_CALL(probes, Http("http://minus.example/index.htm")).WillOnce(Return(false));
  EXPECT_CALL(probes, Echo(StrEq("echo.example"))).WillOnce(Return(true));
  std::string out;
  net::SelectNoticeHost(table, probes, cache, out);
  EXPECT_EQ("echo.example", out);
}

TEST(NoticeHostCacheTest, StoresAtMost255Characters) {
  struct Case {
    std::size_t length;
    std::size_t stored;
  };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{255, 255}, Case{256, 255}, Case{1000, 255}}) {
    NoticeHostCache cache;
    const std::string host(c.length, 'h');
    cache.Store(host.c_str());
    EXPECT_EQ(std::string(c.stored, 'h'), cache.Text()) << c.length;
    EXPECT_EQ(c.stored == 0, cache.IsEmpty()) << c.length;
  }
}

TEST(NoticePageUrlTest, HostBetweenSchemeAndIndexPage) {
  EXPECT_EQ("http://one.example/index.htm", net::NoticePageUrl("one.example"));
  EXPECT_EQ("http://h.example/a/b/index.htm", net::NoticePageUrl("h.example/a/b"));
  EXPECT_EQ("http:///index.htm", net::NoticePageUrl(""));
}

}  // namespace
