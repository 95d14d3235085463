#include "persist/web_links.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "persist/temp_folder.h"

namespace {

TEST(WebLinks, AddressesAreBuiltOnTheScoreServersBase) {
    unsetenv(kScoreServerVariable);
    const std::string base = ScoreServerBase();
    EXPECT_EQ(base, "http://localhost:8642");
    EXPECT_EQ(OnlineTableAddress(base),
              "http://localhost:8642/cgi/version.pl?prg=Zarvex2&show&type=0");
    EXPECT_EQ(MakerHomeAddress(base), "http://localhost:8642/");
    EXPECT_EQ(SubmissionAddress(base, "ZX7K"),
              "http://localhost:8642/cgi/version.pl?hs&prg=Zarvex2&inf=ZX7K");
}

TEST(WebLinks, TheEnvironmentMayNameAnotherWebServer) {
    setenv(kScoreServerVariable, "https://scores.example.org:9000/", 1);
    EXPECT_EQ(ScoreServerBase(), "https://scores.example.org:9000");
    setenv(kScoreServerVariable, "file:///bin/sh", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ScoreServerBase(), "http://localhost:8642");
    EXPECT_NE(testing::internal::GetCapturedStderr().find(kScoreServerVariable), std::string::npos);
    setenv(kScoreServerVariable, "", 1);
    EXPECT_EQ(ScoreServerBase(), "http://localhost:8642");
    unsetenv(kScoreServerVariable);
}

// The about page says the scores stay on this computer when the server is this computer: the
// loopback names, and nothing that only starts or ends like one.
TEST(WebLinks, ThisComputerIsToldFromEveryOtherHost) {
    const struct {
        const char* address;
        bool here;
    } cases[] = {
        {"http://localhost:8642", true},
        {"HTTP://LocalHost/", true},
        {"http://127.0.0.1:9/", true},
        {"http://127.255.0.1", true},
        {"http://[::1]:8642/cgi", true},
        {"http://player@localhost/", true},
        {"http://128.0.0.1", false},
        {"http://localhost.example.org", false},
        {"http://example.org/localhost", false},
        {"http://127.0.0", false},
        {"http://127.0.0.1.5", false},
        {"http://127.0.0.256", false},
        {"http://1270.0.0.1", false},
        {"https://scores.example.org", false},
        {"localhost", false},
        {"http://[::2]/", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsThisComputer(c.address), c.here) << c.address;
}

TEST(WebLinks, OnlyPlainWebAddressesPass) {
    for (const char* good :
         {"http://localhost:8642/", "https://example.org", "HTTP://EXAMPLE.ORG/a?b=c&d#e",
          "http://127.0.0.1:8642/cgi/version.pl?prg=Zarvex2&show&type=0", "http://user@host/"}) {
        EXPECT_TRUE(IsWebAddress(good)) << good;
    }
    for (const char* bad : {"",
                            "http://",
                            "https://",
                            "http:///etc/passwd",
                            "http://:80/",
                            "http://@/",
                            "file:///etc/passwd",
                            "javascript:alert(1)",
                            "/usr/bin/xterm",
                            "C:\\Windows\\calc.exe",
                            "ftp://example.org/",
                            "httpx://example.org",
                            " http://example.org",
                            "http://exa mple.org",
                            "http://example.org/\n",
                            "http://example.org/\"onclick",
                            "http://example.org/<b>",
                            "http://example.org\\..\\",
                            "http://ex\xE4mple.org",
                            "mailto:someone@example.org",
                            "data:text/html,<script>",
                            "http:example.org"}) {
        EXPECT_FALSE(IsWebAddress(bad)) << bad;
    }
    EXPECT_TRUE(IsWebAddress("http://a.org/" + std::string(2000, 'x')));
    EXPECT_FALSE(IsWebAddress("http://a.org/" + std::string(2100, 'x')));
}

class ExitLink : public testing::Test {
protected:
    void Write(const std::string& text) {
        std::ofstream(temp.Path() / "play.url", std::ios::binary) << text;
    }
    std::optional<std::string> Read() { return ReadExitLink(temp.Path()); }
    TempFolder temp;
};

TEST_F(ExitLink, NoFileOpensNothing) {
    EXPECT_EQ(Read(), std::nullopt);
}

TEST_F(ExitLink, AnInternetShortcutGivesItsAddress) {
    Write("[InternetShortcut]\r\nURL=https://example.org/play\r\nIconIndex=0\r\n");
    EXPECT_EQ(Read(), "https://example.org/play");
    Write(
        "\xEF\xBB\xBF[DEFAULT]\r\nBASEURL=http://wrong.org/\r\n[InternetShortcut]\r\n"
        "  url = http://example.org/a \r\n[Other]\r\nURL=http://later.org/\r\n");
    EXPECT_EQ(Read(), "http://example.org/a");
}

TEST_F(ExitLink, ABareAddressOnTheFirstLineIsTaken) {
    Write("http://example.org/welcome\nanything else\n");
    EXPECT_EQ(Read(), "http://example.org/welcome");
}

TEST_F(ExitLink, AnythingButAWebAddressIsIgnored) {
    for (const char* planted :
         {"[InternetShortcut]\r\nURL=file:///usr/bin/xterm\r\n",
          "[InternetShortcut]\r\nURL=javascript:alert(1)\r\n", "/usr/bin/xterm\n",
          "[InternetShortcut]\r\nURL=C:\\Windows\\System32\\calc.exe\r\n",
          "[InternetShortcut]\r\nIconFile=http://example.org/\r\n",
          "[Other]\r\nURL=http://example.org/\r\n", "", "\r\n\r\n",
          "http://example.org/ \"--disable-web-security\"\n"}) {
        Write(planted);
        EXPECT_EQ(Read(), std::nullopt) << planted;
    }
}

TEST_F(ExitLink, OnlyTheStartOfAHugeFileIsRead) {
    Write("[InternetShortcut]\r\n" + std::string(1 << 20, ';') + "\r\nURL=http://example.org/\r\n");
    EXPECT_EQ(Read(), std::nullopt);
    Write("[InternetShortcut]\r\nURL=http://example.org/\r\n" + std::string(1 << 20, ';'));
    EXPECT_EQ(Read(), "http://example.org/");
}

TEST_F(ExitLink, APipeNamedPlayUrlDoesNotHang) {
    ASSERT_EQ(mkfifo((temp.Path() / "play.url").c_str(), 0644), 0);
    EXPECT_EQ(Read(), std::nullopt);
}

}  // namespace
