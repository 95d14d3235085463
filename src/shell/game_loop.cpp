#include "shell/game_loop.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <exception>

#include "media/game_pad.h"
#include "shell/form.h"

namespace {

// Set by Ctrl+C, kill or the end of the session; the loop notices it within a frame (or within
// the wait of an inactive window) and shuts the game down as the exit question's Yes would.
// Departs from the original rule, under which the game ends only through the exit question
// (docs/departures.md).
volatile std::sig_atomic_t quitSignal = 0;

void OnQuitSignal(int /*signal*/) {
    quitSignal = 1;
}

void InstallQuitSignals() {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    // SDL would otherwise turn these signals into its quit event, which only asks the question.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

}  // namespace

int RunGameLoop(TMForm& form) {
    SDL_StartTextInput();
    while (!form.Terminated()) {
        if (quitSignal != 0) {
            form.ShutDownOnSignal();
            return 0;
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            form.HandleEvent(event, SDL_GetTicks64());
            if (form.Terminated()) return 0;
        }
        if (!form.Active()) {
            SDL_WaitEventTimeout(nullptr, 100);  // nothing moves while the game is away
            continue;
        }
        const int lag = form.Components.MDXTimer.Tick(SDL_GetTicks64(), form.Timing);
        form.FrameHandler(lag);
    }
    return 0;
}

int RunGame() {
    InstallQuitSignals();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Zarvex 2: SDL cannot start: %s\n", SDL_GetError());
        return 1;
    }
    // Sound is optional: without an audio device the game runs silently.
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    int status = 0;
    {
        FormConfig config;
        config.saveDir = config.dataDir + "/Save";
        // So is the pad. The mappings beside Data/ come first, so that a pad SDL did not know is
        // a game controller when the game looks for one.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0 &&
            LoadPadMappings(PadMappingPath(config.dataDir)) < 0) {
            std::fprintf(stderr, "Zarvex 2: %s: %s\n", PadMappingPath(config.dataDir).c_str(),
                         SDL_GetError());
        }
        TMForm form{config};
        try {
            if (!form.FormCreate()) {
                status = 1;
            } else {
                status = RunGameLoop(form);
            }
        } catch (const std::exception& error) {
            form.ReportFatal(error.what());
            status = 1;
        }
    }
    SDL_Quit();
    return status;
}
