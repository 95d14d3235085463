// The online table as a browser sees it: headless Chromium loads the page from a running server
// and hands back its DOM. Skipped where Chromium is not installed.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server/server_fixture.h"

namespace {

constexpr const char* kChromium = "/usr/bin/chromium";

// Runs Chromium on the address and returns what it printed: the page's DOM as serialised HTML.
std::string DumpDom(const std::string& address, const std::filesystem::path& scratch) {
    const std::string profile = (scratch / "profile").string();
    const std::string output = (scratch / "dom.html").string();
    const std::vector<std::string> arguments = {"timeout",
                                                "120",
                                                kChromium,
                                                "--headless",
                                                "--no-sandbox",
                                                "--disable-gpu",
                                                "--disable-quic",
                                                "--no-first-run",
                                                "--disable-background-networking",
                                                "--disable-component-update",
                                                "--disable-sync",
                                                "--disable-dev-shm-usage",
                                                "--user-data-dir=" + profile,
                                                "--dump-dom",
                                                address};
    const pid_t child = fork();
    if (child == 0) {
        // Chromium keeps its crash reports and settings under the home folder: the scratch
        // folder stands in for it, so that nothing is left outside.
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            setenv(name, scratch.c_str(), 1);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = open("/dev/null", O_WRONLY);
        dup2(out, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream in(output);
    std::stringstream dom;
    dom << in.rdbuf();
    return dom.str();
}

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

class TablePageInBrowser : public ServerFixture {};

TEST_F(TablePageInBrowser, ShowsTheStoredRowsEscaped) {
    if (access(kChromium, X_OK) != 0) GTEST_SKIP() << "chromium is not installed";
    StartServer();
    TScoreStore& store = server->Store();
    ASSERT_NO_THROW(store.Add({"Ace 7", 31337, "Atlantis"}, kStoredAt));
    ASSERT_NO_THROW(store.Add({"Bo", 900, "_______"}, kStoredAt));
    // Rows the validator would never let in, written straight to the database.
    ASSERT_NO_THROW(
        store.Add({"<img src=x onerror=alert(1)>", 500, "</td></table><h2>x</h2>"}, kStoredAt));
    ASSERT_NO_THROW(store.Add({"<script>document.title='owned'</script>", 400, "X"}, kStoredAt));

    const std::string dom =
        DumpDom(Base() + "/cgi/version.pl?prg=Zarvex2&show&type=0", temp.Path());
    ASSERT_NE(dom.find("<h1>Zarvex 2</h1>"), std::string::npos) << dom;
    EXPECT_NE(dom.find("<title>Zarvex 2 \u2013 Online high scores</title>"), std::string::npos);
    EXPECT_EQ(Count(dom, "<td class=\"rank\">"), 4);
    EXPECT_NE(dom.find("<td class=\"name\">Ace 7</td><td class=\"score\">31337</td>"
                       "<td class=\"country\">Atlantis</td><td class=\"date\">2024-05-17</td>"),
              std::string::npos);
    EXPECT_NE(dom.find("<td class=\"name\">Bo</td>"), std::string::npos);
    // The hostile rows are text in their cells: no element of theirs exists in the page.
    EXPECT_NE(dom.find("<td class=\"name\">&lt;img src=x onerror=alert(1)&gt;</td>"),
              std::string::npos);
    EXPECT_NE(dom.find("&lt;/td&gt;&lt;/table&gt;&lt;h2&gt;x&lt;/h2&gt;"), std::string::npos);
    EXPECT_NE(dom.find("&lt;script&gt;document.title='owned'&lt;/script&gt;"), std::string::npos);
    EXPECT_EQ(Count(dom, "<img"), 0);
    EXPECT_EQ(Count(dom, "<h2"), 0);
    EXPECT_EQ(Count(dom, "<script"), 0);
    EXPECT_EQ(Count(dom, "<table"), 1);
}

}  // namespace
