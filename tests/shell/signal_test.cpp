// Ctrl+C, kill and the end of a session end the running game promptly through its normal
// shut-down, with exit status 0, instead of only asking whether to leave.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "persist/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// However busy the machine, a game that works gets there long before this; only a game that
// never gets there waits it out.
constexpr auto kDeadline = std::chrono::seconds(120);

// A working folder of its own for one game: the build's generated data, and a save folder
// that no other test shares.
void LinkGeneratedData(const fs::path& folder) {
    fs::create_directories(folder / "Data");
    const fs::path built = fs::absolute("Data");
    for (const char* part : {"Res", "Music", "fonts.conf"})
        fs::create_symlink(built / part, folder / "Data" / part);
}

// The real game, started headless in a folder, and reaped (killed first if need be) at the end.
class RunningGame {
public:
    explicit RunningGame(const fs::path& folder) {
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(folder.c_str()) != 0) _exit(126);
            setenv("SDL_VIDEODRIVER", "offscreen", 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            // Drawn in software, as the replay runner draws: offscreen, the accelerated renderer
            // would load Mesa's GL driver, which leaves its allocations behind when SDL unloads
            // it, where LeakSanitizer can no longer tell whose they were.
            setenv("SDL_RENDER_DRIVER", "software", 1);
            setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
            execl(ZARVEX2_BINARY, ZARVEX2_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid_ > 0) exitEvent_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    }
    ~RunningGame() {
        if (pid_ > 0 && !reaped_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (exitEvent_ >= 0) close(exitEvent_);
    }
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    bool Started() const { return pid_ > 0 && exitEvent_ >= 0; }
    pid_t Pid() const { return pid_; }

    // Waits for the game to end, up to the deadline; false while it still runs.
    bool WaitForExit(Clock::time_point deadline) {
        while (!reaped_ && Clock::now() < deadline) {
            if (Ended(deadline - Clock::now())) break;
        }
        return reaped_;
    }

    // Waits until the game has its own handler for the signal in place (the kernel's record of
    // the process says so): from then on the signal ends it through its shut-down. False when
    // the game ended first or the deadline passed.
    bool WaitForHandler(int signal, Clock::time_point deadline) {
        while (!reaped_ && Clock::now() < deadline) {
            if (Catches(signal)) return true;
            Ended(std::chrono::milliseconds(10));  // a short wait that the game's end cuts short
        }
        return false;
    }

    int Status() const { return status_; }

private:
    // Waits up to `limit` for the game's end and reaps it; true once it has ended.
    bool Ended(Clock::duration limit) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(limit).count();
        pollfd exit{exitEvent_, POLLIN, 0};
        if (poll(&exit, 1, static_cast<int>(std::max<int64_t>(ms, 1))) > 0 &&
            waitpid(pid_, &status_, WNOHANG) == pid_) {
            reaped_ = true;
        }
        return reaped_;
    }

    bool Catches(int signal) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("SigCgt:", 0) != 0) continue;
            std::istringstream mask(line.substr(7));
            uint64_t caught = 0;
            mask >> std::hex >> caught;
            return (caught >> (signal - 1) & 1) != 0;
        }
        return false;
    }

    pid_t pid_ = -1;
    int exitEvent_ = -1;
    bool reaped_ = false;
    int status_ = 0;
};

class QuitSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(QuitSignalTest, EndsTheRunningGameWithStatusZeroAndItsSavesWritten) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    LinkGeneratedData(folder.Path());
    RunningGame game(folder.Path());
    ASSERT_TRUE(game.Started());
    // The signal is sent once the game's handler is in place, whether the game is still
    // starting or already at its menu: it is honoured all the same.
    ASSERT_TRUE(game.WaitForHandler(GetParam(), Clock::now() + kDeadline))
        << "the game never set up its handler for signal " << GetParam()
        << "; it ended with status " << game.Status();
    const Clock::time_point sent = Clock::now();
    kill(game.Pid(), GetParam());
    ASSERT_TRUE(game.WaitForExit(sent + kDeadline)) << "still running after signal " << GetParam();
    // The time it took is a figure for people, not a pass mark.
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    std::printf("signal %d: the game ended %.0f ms later\n", GetParam(), ms);
    const int status = game.Status();
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The shut-down wrote the options (five lines, the flags first) and the table.
    std::ifstream options(folder.Path() / "Data" / "Save" / "options", std::ios::binary);
    std::string first;
    EXPECT_TRUE(std::getline(options, first));
    EXPECT_EQ(first, "0\r");
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "Data" / "Save" / "hs"));
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
