#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if ZARVEX_TESTS_HAVE_FORM
#include "shell/form.h"
#endif

int main(int argc, char** argv) {
    // Tests never open a real window or an audio device.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
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
