// Ctrl+C, kill and the end of a session end the running game promptly through its normal
// shut-down, with exit status 0, instead of only asking whether to leave.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// A working folder of its own for one game: the build's generated data, and a save folder
// that no other test shares.
fs::path MakeGameFolder(const std::string& name) {
    const fs::path folder =
        fs::temp_directory_path() / ("zarvex2-signal-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Data");
    const fs::path built = fs::absolute("Data");
    for (const char* part : {"Res", "Music", "fonts.conf"})
        fs::create_symlink(built / part, folder / "Data" / part);
    return folder;
}

// Starts the real game in the folder, headless.
pid_t StartGame(const fs::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(ZARVEX2_BINARY, ZARVEX2_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits for the process to end; false when it is still running after the limit.
bool WaitForExit(pid_t pid, std::chrono::milliseconds limit, int& status) {
    const Clock::time_point end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class QuitSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(QuitSignalTest, EndsTheRunningGameWithStatusZeroAndItsSavesWritten) {
    const fs::path folder = MakeGameFolder(std::to_string(GetParam()));
    const pid_t pid = StartGame(folder);
    ASSERT_GT(pid, 0);
    int status = 0;
    // Let the game come up to its menu first; a signal during start-up is honoured all the same.
    ASSERT_FALSE(WaitForExit(pid, std::chrono::milliseconds(1500), status))
        << "the game ended by itself with status " << status;
    const Clock::time_point sent = Clock::now();
    kill(pid, GetParam());
    // A generous bound against a busy machine; the figure itself is printed.
    const bool ended = WaitForExit(pid, std::chrono::seconds(5), status);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "still running 5 s after signal " << GetParam();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    std::printf("signal %d: the game ended %.0f ms later\n", GetParam(), ms);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The shut-down wrote the options (five lines, the flags first) and the table.
    std::ifstream options(folder / "Data" / "Save" / "options", std::ios::binary);
    std::string first;
    EXPECT_TRUE(std::getline(options, first));
    EXPECT_EQ(first, "0\r");
    EXPECT_TRUE(fs::is_regular_file(folder / "Data" / "Save" / "hs"));
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
