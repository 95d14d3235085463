#include "shell/game_loop.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "media/game_pad.h"
#include "persist/game_folders.h"
#include "persist/replay_file.h"
#include "shell/form.h"
#include "shell/game_version.h"

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

// A problem before the window exists: a line on stderr, and a message box for a player who
// started the game from the desktop's menu, where nobody reads stderr.
void ReportEarlyFatal(const std::string& message) {
    std::fprintf(stderr, "Zarvex 2: %s\n", message.c_str());
    const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // the environment's, as yet
    const bool headless = driver != nullptr && (std::strcmp(driver, "offscreen") == 0 ||
                                                std::strcmp(driver, "dummy") == 0);
    if (!headless) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zarvex 2", message.c_str(), nullptr);
    }
}

// The pads' mappings: beside the Data folder of a portable copy, as always, and in the player's
// own folder.
void LoadAllPadMappings(const GameFolders& folders) {
    std::vector<std::string> paths;
    if (folders.portable) paths.push_back(PadMappingPath(folders.data.string()));
    if (!folders.userFiles.empty()) {
        const std::string own = (folders.userFiles / "gamecontrollerdb.txt").string();
        if (paths.empty() || paths.front() != own) paths.push_back(own);
    }
    for (const std::string& path : paths) {
        if (LoadPadMappings(path) < 0) {
            std::fprintf(stderr, "Zarvex 2: %s: %s\n", path.c_str(), SDL_GetError());
        }
    }
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
        if (form.Watching()) {
            form.WatchFrames(lag);
        } else {
            form.FrameHandler(lag);
        }
    }
    return 0;
}

int RunGame(const std::string& replayPath) {
    InstallQuitSignals();
    // A recording to play is read first: one that cannot be played is told before any window
    // opens.
    std::optional<ReplayRecording> replay;
    if (!replayPath.empty()) {
        std::string error;
        replay = ReadReplayFile(replayPath, error, GameVersion());
        if (!replay) {
            ReportEarlyFatal(error);
            return 1;
        }
    }
    const FolderSearch search = FindGameFolders(CurrentFolderEnvironment());
    if (!search.folders) {
        ReportEarlyFatal(NoDataMessage(search));
        return 1;
    }
    const GameFolders& folders = *search.folders;
    if (folders.saves.empty()) {
        std::fprintf(stderr,
                     "Zarvex 2: there is no home folder to keep the saves in; nothing will be "
                     "saved\n");
    } else {
        // Made at once, so that the player finds the folder where the saves will be.
        std::error_code error;
        std::filesystem::create_directories(folders.saves, error);
        if (error) {
            std::fprintf(stderr, "Zarvex 2: %s: %s\n", folders.saves.c_str(),
                         error.message().c_str());
        }
    }

    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Zarvex 2: SDL cannot start: %s\n", SDL_GetError());
        return 1;
    }
    // Sound is optional: without an audio device the game runs silently.
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    int status = 0;
    {
        FormConfig config;
        config.dataDir = folders.data.string();
        config.saveDir = folders.saves.string();
        config.userDir = folders.userFiles.string();
        // So is the pad. The mappings come first, so that a pad SDL did not know is a game
        // controller when the game looks for one.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) LoadAllPadMappings(folders);
        TMForm form{config};
        try {
            if (!form.FormCreate()) {
                status = 1;
            } else {
                if (replay) form.WatchReplay(std::move(*replay), WatchOrigin::MainMenu, replayPath);
                status = RunGameLoop(form);
            }
        } catch (const std::exception& error) {
            // The race that met the fault keeps its recording: the moment it happened can be
            // sent and watched again.
            form.FinishRaceRecording();
            form.ReportFatal(error.what());
            status = 1;
        }
    }
    SDL_Quit();
    return status;
}
