#include "options/VersionCheck.h"
#ifndef _WIN32
#include "HttpTestServer.h"
#endif

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

struct VersionCase {
    const char* name;
    const char* text;
    int number;
};

class ConvVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(ConvVersion, GivesTheNumberOrMinusOne) {
    EXPECT_EQ(kt::Conv_Version(GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvVersion,
    testing::Values(VersionCase{"Own", "1.000", 1000}, VersionCase{"Prefixed", "VER. 1.002", 1002},
                    VersionCase{"SeparatorIgnored", "VER. 1x234", 1234},
                    VersionCase{"BlanksAroundVersion", "VER.   0.999  ", 999},
                    VersionCase{"TwoDigitsBeforePoint", "VER. 10.000", -1},
                    VersionCase{"TooShort", "VER. 1.0", -1}, VersionCase{"Empty", "", -1},
                    VersionCase{"NotDigits", "VER. a.bcd", -1},
                    VersionCase{"SignIsNoDigit", "VER. -.123", -1},
                    VersionCase{"OnlyFirstBlankSplits", "VER. 1.001 beta", 1001},
                    VersionCase{"ErrorPage", "<html><body>Not found</body></html>", -1}),
    [](const auto& row) { return std::string(row.param.name); });

struct AnswerCase {
    const char* name;
    const char* answer;
    bool newer;
};

class Answer : public testing::TestWithParam<AnswerCase> {};

TEST_P(Answer, DecidesNewerAgainstOwnVersion) {
    EXPECT_EQ(kt::IsNewerVersion(GetParam().answer), GetParam().newer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Answer,
    testing::Values(AnswerCase{"Newer", "VER. 1.001", true},
                    AnswerCase{"Same", "VER. 1.000", false},
                    AnswerCase{"Older", "VER. 0.999", false},
                    AnswerCase{"ZeroMeansNone", "VER. 0.000", false},
                    AnswerCase{"ZeroMixedCaseWithBlanks", "  ver. 0.000 \r\n", false},
                    AnswerCase{"NewerWithLineEnd", "VER. 1.001\r\n", true},
                    AnswerCase{"WithoutPrefix", "1.005", true},
                    AnswerCase{"TwoDigitsBeforePoint", "VER. 10.000", false},
                    AnswerCase{"TooShort", "VER. 1.0", false}, AnswerCase{"Empty", "", false},
                    AnswerCase{"OnlyBlanks", " \t ", false},
                    AnswerCase{"LowerCasePrefixNewer", "ver. 2.000", true}),
    [](const auto& row) { return std::string(row.param.name); });

// The test server speaks POSIX sockets.
#ifndef _WIN32
using kt::test::HttpTestServer;

kt::VersionRequest Local(const HttpTestServer& server, std::chrono::milliseconds timeout = 5s) {
    kt::VersionRequest r;
    r.host = server.host();
    r.timeout = timeout;
    return r;
}

TEST(CheckVersion, SendsTheFixedRequestAndReadsANewerVersion) {
    HttpTestServer server(HttpTestServer::Mode::Answer, HttpTestServer::Ok("VER. 1.001"));
    EXPECT_TRUE(kt::Check_Version(Local(server)));
    const std::string& req = server.request();
    EXPECT_EQ(req.substr(0, req.find("\r\n")),
              "GET /home/download/GetversionSW.asp?nomesw=KT52903 HTTP/1.0");
    EXPECT_NE(req.find("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;"
                       "q=0.8\r\n"),
              std::string::npos);
    EXPECT_NE(req.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
              std::string::npos);
    EXPECT_NE(req.find("\r\nHost: " + server.host() + "\r\n"), std::string::npos);
    EXPECT_EQ(req.find("Cookie"), std::string::npos);
}

TEST(CheckVersion, ZeroAnswerIsNotNewer) {
    HttpTestServer server(HttpTestServer::Mode::Answer, HttpTestServer::Ok("VER. 0.000"));
    const kt::Result<std::string> answer = kt::FetchVersionAnswer(Local(server));
    ASSERT_TRUE(answer.ok()) << answer.status.message;
    EXPECT_EQ(answer.value, "VER. 0.000");
    EXPECT_FALSE(kt::IsNewerVersion(answer.value));
}

TEST(CheckVersion, ErrorStatusFailsEvenWithAVersionInTheBody) {
    HttpTestServer server(HttpTestServer::Mode::Answer,
                          "HTTP/1.0 500 Internal Server Error\r\nContent-Length: 10\r\n\r\n"
                          "VER. 9.999");
    const kt::Result<std::string> answer = kt::FetchVersionAnswer(Local(server));
    EXPECT_FALSE(answer.ok());
    EXPECT_NE(answer.status.message.find("500"), std::string::npos) << answer.status.message;
}

TEST(CheckVersion, SlowServerTimesOutAsFailure) {
    HttpTestServer server(HttpTestServer::Mode::Stall);
    const auto start = std::chrono::steady_clock::now();
    const kt::Result<std::string> answer = kt::FetchVersionAnswer(Local(server, 300ms));
    EXPECT_FALSE(answer.ok());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

TEST(CheckVersion, ClosedConnectionIsNoNewerVersion) {
    HttpTestServer server(HttpTestServer::Mode::HangUp);
    EXPECT_FALSE(kt::Check_Version(Local(server)));
}

TEST(CheckVersion, OverlongBodyIsAFailure) {
    HttpTestServer server(HttpTestServer::Mode::Answer,
                          HttpTestServer::Ok("VER. 1.001" + std::string(70000, ' ')));
    const kt::Result<std::string> answer = kt::FetchVersionAnswer(Local(server));
    EXPECT_FALSE(answer.ok());
}

#endif

TEST(CheckVersion, UrlUsesTheConfiguredHost) {
    EXPECT_EQ(kt::VersionCheckUrl("www.tarvix.example"),
              "http://www.tarvix.example/home/download/GetversionSW.asp?nomesw=KT52903");
}

} // namespace
