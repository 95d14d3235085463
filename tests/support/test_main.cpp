#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if ZARVEX_TESTS_HAVE_FORM
#include "shell/form.h"
#endif

// The sanitizers' settings, the same however a test program is started (by CTest, by hand, by
// scripts/stress-tests.sh): each stops at its first report, and LeakSanitizer checks the
// program at its end, silent only about the system libraries' leaks named in the suppressions
// file. The sanitizers read these before main(); the environment's own settings come after and
// win.
#define ZARVEX_LEAK_OPTIONS \
    "suppressions=" ZARVEX_SOURCE_DIR "/scripts/lsan.supp:print_suppressions=0"
#define ZARVEX_ADDRESS_OPTIONS "detect_leaks=1:detect_stack_use_after_return=1"
#define ZARVEX_UNDEFINED_OPTIONS "print_stacktrace=1:halt_on_error=1"
#define ZARVEX_THREAD_OPTIONS "halt_on_error=1:second_deadlock_stack=1"

extern "C" {
const char* __asan_default_options() {
    return ZARVEX_ADDRESS_OPTIONS;
}
const char* __lsan_default_options() {
    return ZARVEX_LEAK_OPTIONS;
}
const char* __ubsan_default_options() {
    return ZARVEX_UNDEFINED_OPTIONS;
}
const char* __tsan_default_options() {
    return ZARVEX_THREAD_OPTIONS;
}
}

int main(int argc, char** argv) {
    // Tests never open a real window or an audio device.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The programs a test starts (the game, the replay runner, the score server) are held to
    // the same settings.
    setenv("ASAN_OPTIONS", ZARVEX_ADDRESS_OPTIONS, 0);
    setenv("LSAN_OPTIONS", ZARVEX_LEAK_OPTIONS, 0);
    setenv("UBSAN_OPTIONS", ZARVEX_UNDEFINED_OPTIONS, 0);
    setenv("TSAN_OPTIONS", ZARVEX_THREAD_OPTIONS, 0);
    // Nor do they reach a developer's own score server: every address is built on the default
    // base, and a test that wants to see a result sent gives its form a sender of its own.
    unsetenv("ZARVEX2_SCORE_SERVER");
#if ZARVEX_TESTS_HAVE_FORM
    SetDefaultScoreSender([](const std::string& address) {
        ADD_FAILURE() << "the game tried to send a real score to " << address
                      << "; give the form a submitScore hook that keeps it";
    });
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
