// zarvex2-timedemo: the game's frame handler timed over a fixed race, headless. The autopilot
// drives car 1 from a fixed seed, rockets and nitro on board, firing at what blocks its way, with
// the horn and the nitro worked by a fixed script; first at level 25, where the road carries the
// most traffic and bonuses the game ever puts on it, then at level 1. Each level prints one line
// in the form of zarvex2-replay's --stats line with the level in front:
//   {"level":25,"frames":20000,"frame":{"median":..,"p99":..,"max":..},"draw":{..},"move":{..}}
// Figures, not a test: run it on a machine that is otherwise idle.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "replay_runner.h"

namespace {

constexpr uint32_t kSeed = 20250;
constexpr int kFrames = 20000;
constexpr int kLevels[] = {25, 1};

// Every 600 frames: the horn for 60 frames, and a burst of nitro later in the stretch.
std::vector<ScriptEvent> HornAndNitro(int frames) {
    std::vector<ScriptEvent> script;
    auto key = [&](int frame, ScriptEvent::Kind kind, const char* name) {
        ScriptEvent event;
        event.frame = frame;
        event.kind = kind;
        event.key = ScriptKeyCode(name);
        script.push_back(event);
    };
    for (int at = 300; at + 400 <= frames; at += 600) {
        key(at, ScriptEvent::Kind::Down, "H");
        key(at + 60, ScriptEvent::Kind::Up, "H");
        key(at + 250, ScriptEvent::Kind::Down, "X");
        key(at + 350, ScriptEvent::Kind::Up, "X");
    }
    return script;
}

int Usage() {
    std::cerr << "usage: zarvex2-timedemo [--data DIR] [--frames N]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataDir = ZARVEX_TIMEDEMO_DATA;
    int frames = kFrames;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
            if (frames < 1) return Usage();
        } else {
            return Usage();
        }
    }
    try {
        for (const int level : kLevels) {
            // The race as zarvex2-replay would be asked for it.
            const std::vector<std::string> args = {"--seed",      std::to_string(kSeed),
                                                   "--frames",    std::to_string(frames),
                                                   "--race",      "1",
                                                   "--level",     std::to_string(level),
                                                   "--autopilot", "--give",
                                                   "rockets",     "--give",
                                                   "nitro",       "--stats",
                                                   "--data",      dataDir};
            ReplayOptions options;
            std::string error;
            if (!ParseReplayArgs(args, options, error)) {
                std::cerr << "zarvex2-timedemo: " << error << "\n";
                return 1;
            }
            ReplayRunner runner(options);
            if (!runner.Start(error)) {
                std::cerr << "zarvex2-timedemo: " << error << "\n";
                return 1;
            }
            runner.SetScript(HornAndNitro(frames));
            runner.RunUntil(frames);
            std::cout << "{\"level\":" << level << ","
                      << FrameCostFields(runner.Frame(), runner.Costs()) << "}" << std::endl;
        }
    } catch (const std::exception& failure) {
        std::cerr << "zarvex2-timedemo: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
