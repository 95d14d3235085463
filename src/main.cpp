// Zarvex 2: a top-down arcade racing game.

#include <cstdio>
#include <cstring>

#include "shell/game_loop.h"

namespace {

constexpr const char* kUsage =
    "usage: zarvex2 [--help | --version | --replay FILE]\n"
    "\n"
    "  --replay FILE  play a race's recording, then go on to the main menu (Esc leaves it,\n"
    "                 F or Tab held plays it four times as fast)\n"
    "\n"
    "A top-down arcade racing game. It reads its data from Data/ in the working directory when\n"
    "there is one, otherwise from the installed data folder, and keeps the saves in Data/Save\n"
    "when that can be written, otherwise in $XDG_DATA_HOME/zarvex2/Save\n"
    "(~/.local/share/zarvex2/Save). See zarvex2(6).\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (std::strcmp(argv[1], "--help") == 0 && argc == 2) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0 && argc == 2) {
            std::printf("Zarvex 2 %s\n", ZARVEX_VERSION);
            return 0;
        }
        if (std::strcmp(argv[1], "--replay") == 0 && argc == 3) return RunGame(argv[2]);
        if (std::strcmp(argv[1], "--replay") == 0 && argc == 2) {
            std::fprintf(stderr, "zarvex2: --replay needs the recording's file\n%s", kUsage);
            return 2;
        }
        // With a known option first, the argument after it (after --replay's file) is the one
        // not understood.
        const bool knownFirst =
            std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0;
        if (std::strcmp(argv[1], "--replay") == 0) {
            std::fprintf(stderr, "zarvex2: unknown argument '%s'\n%s", argv[3], kUsage);
            return 2;
        }
        std::fprintf(stderr, "zarvex2: unknown argument '%s'\n%s", argv[knownFirst ? 2 : 1],
                     kUsage);
        return 2;
    }
    return RunGame();
}
