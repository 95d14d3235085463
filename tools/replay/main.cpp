// zarvex2-replay: runs the game headless on a simulated clock. See replay_runner.h.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "replay_runner.h"

int main(int argc, char** argv) {
    ReplayOptions options;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    if (!ParseReplayArgs(args, options, error)) {
        std::cerr << "zarvex2-replay: " << error << "\n"
                  << "usage: zarvex2-replay [--seed N] [--refresh HZ] [--frames N] [--input FILE]\n"
                     "         [--shot N:FILE.png]... [--window-shot N:FILE.png]...\n"
                     "         [--state N]... [--stats] [--data DIR]\n"
                     "         [--save-dir DIR] [--controls FILE] [--record FILE | --replay FILE]\n"
                     "         [--race CAR [--level L] [--autopilot] [--give ITEM]...]\n"
                     "         [--levels L1,L2,...] [--quit] [--report-every N]\n"
                     "         [--actors N]... [--map N:FILE]... | --dump-track LEVEL\n";
        return 2;
    }
    try {
        return RunReplay(options, std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "zarvex2-replay: " << failure.what() << "\n";
        return 1;
    }
}
