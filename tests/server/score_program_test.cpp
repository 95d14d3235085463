// The zarvex2-scores program itself: started as a child on a free port, sent a score, stopped
// with SIGTERM.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "persist/score_submit.h"
#include "persist/temp_folder.h"
#include "score_store.h"

namespace {

class RunningProgram {
public:
    explicit RunningProgram(const std::string& database) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl(ZARVEX_SCORES_PROGRAM, ZARVEX_SCORES_PROGRAM, "--port", "0", "--db",
                  database.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        output_ = fdopen(out[0], "r");
    }

    ~RunningProgram() {
        if (pid_ > 0 && !waited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ != nullptr) fclose(output_);
    }

    // The next line the program prints; empty at its end.
    std::string Line() {
        char line[512];
        return output_ != nullptr && fgets(line, sizeof line, output_) != nullptr ? line : "";
    }

    int StopWith(int signal) {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        waited_ = true;
        return status;
    }

private:
    pid_t pid_ = -1;
    bool waited_ = false;
    FILE* output_ = nullptr;
};

// "zarvex2-scores: serving http://127.0.0.1:PORT/ from FILE" -> "http://127.0.0.1:PORT"
std::string BaseFrom(const std::string& line) {
    const auto start = line.find("http://");
    const auto end = line.find("/ from ");
    if (start == std::string::npos || end == std::string::npos) return "";
    return line.substr(start, end - start);
}

class ScoreProgram : public testing::TestWithParam<int> {};

TEST_P(ScoreProgram, StoresAScoreAndStopsCleanlyOnASignal) {
    TempFolder temp;
    const std::string database = (temp.Path() / "scores.sqlite").string();
    {
        RunningProgram program(database);
        const std::string base = BaseFrom(program.Line());
        ASSERT_FALSE(base.empty());
        EXPECT_EQ(SubmitScore(base, "Ace", 900, "X").Status, SubmitStatus::Sent);
        const int status = program.StopWith(GetParam());
        ASSERT_TRUE(WIFEXITED(status)) << status;
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(program.Line(), "zarvex2-scores: stopped\n");
    }
    // Closed cleanly: the write-ahead log is folded back into the database file.
    EXPECT_FALSE(std::filesystem::exists(database + "-wal"));
    EXPECT_EQ(OpenScoreStore(database)->Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, ScoreProgram, testing::Values(SIGTERM, SIGINT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "Term" : "Int");
                         });

}  // namespace
