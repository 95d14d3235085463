// The game refuses a hostile archive at start-up: the headless runner, started on a data folder
// whose Res1.dxg holds three hundred run-length bombs, must end with a non-zero status and a
// message naming the file, within 500 MB of memory.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/hostile_archives.h"
#include "persist/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// AddressSanitizer reserves terabytes of address space for its shadow memory, so a limit on
// the address space cannot hold under it; there the peak resident size alone is checked.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr rlim_t kMemoryLimit = rlim_t{500} << 20;
// The tests run in the build folder, next to the runner and the generated archives.
constexpr const char* kReplay = "tools/replay/zarvex2-replay";

struct ChildResult {
    int status = -1;
    std::string output;  // stdout and stderr together
    long peakKilobytes = 0;
    double seconds = 0;
};

ChildResult RunLimited(const std::string& dataDir) {
    ChildResult result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return result;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (!kAddressSanitizer) {
            const rlimit limit{kMemoryLimit, kMemoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
        execl(kReplay, kReplay, "--data", dataDir.c_str(), "--frames", "1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, got);
    close(pipeEnds[0]);
    rusage usage{};
    int status = 0;
    wait4(child, &status, 0, &usage);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakKilobytes = usage.ru_maxrss;
    return result;
}

TEST(HostileArchiveStartUpTest, TheRunnerRefusesARunLengthBombNamingTheFile) {
    if (!ZARVEX_GENERATED_DATA) GTEST_SKIP() << "this build generates no archives";
    ASSERT_TRUE(fs::exists(kReplay)) << "build zarvex2-replay first";
    ASSERT_TRUE(fs::exists("Data/Res/Res2.dxg")) << "the generated archives are missing";
    const TempFolder folder;
    const fs::path data = folder.Path() / "Data";
    fs::copy("Data", data, fs::copy_options::recursive);
    const fs::path hostileFile = data / "Res" / "Res1.dxg";
    {
        const hostile::Bytes bomb =
            hostile::ImageArchiveOf(300, hostile::RunLengthBomb(4096, 4096));
        std::ofstream(hostileFile, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bomb.data()),
                   static_cast<std::streamsize>(bomb.size()));
    }

    const ChildResult run = RunLimited(data.string());
    std::printf("refused in %.2f s with a peak of %.1f MB resident%s\n", run.seconds,
                run.peakKilobytes / 1024.0,
                kAddressSanitizer ? " (no address-space limit under ASan)" : "");
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.status, 127) << "the runner did not start";
    EXPECT_NE(run.output.find(hostileFile.string()), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("DIB is invalid"), std::string::npos) << run.output;
    EXPECT_LT(run.peakKilobytes, static_cast<long>(kMemoryLimit / 1024));
}

}  // namespace
