#pragma once
// The headless replay runner: the game's own frame handler on a simulated clock, fed from an
// input script, so that a seed and a script always play out the same way. Tests drive the game
// through it, and zarvex2-replay makes it a command.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>

#include "archive/archive_types.h"
#include "input_script.h"
#include "media/wave_list.h"
#include "sprites/car_items.h"
#include "virtual_pads.h"

class TMForm;
struct WatchSummary;

struct ReplayOptions {
    uint32_t seed = 1;
    int refresh = 85;
    int frames = 0;
    std::string inputPath;
    std::vector<std::pair<int, std::string>> shots;  // after frame N, save FILE.png
    // The same with only what the window shows: the surface's top-left 792 x 592.
    std::vector<std::pair<int, std::string>> windowShots;
    std::vector<int> states;  // after frame N, print the state
    bool stats = false;
    int dumpTrackLevel = 0;  // > 0: print that level's map and stop
    int raceCar = 0;         // > 0: start straight into a race with this car
    int level = 1;
    bool autopilot = false;
    std::vector<CarItem> gives;                     // handed to the car at the start
    std::vector<int> actors;                        // after frame N, print the actors
    std::vector<std::pair<int, std::string>> maps;  // after frame N, write the map to FILE
    // Start levels played in turn (with --race and --autopilot), each for an equal share of the
    // frames: when a share ends the car leaves the race as a player would, through the
    // exit-to-menu question, and the next race starts at the next level.
    std::vector<int> levels;
    // After the last frame, leave the game through its menus and the exit question, so that
    // the saves are written; the runner goes on past the frames until the game has ended.
    bool quit = false;
    int reportEvery = 0;  // > 0: a line with the sprite count and resident memory every N frames
    std::string dataDir = "Data";
    // Where the game keeps its options and table; empty (the default): no saves are read or
    // written, so a replay never depends on a player's saves.
    std::string saveDir;
    // The race's controls, read at start-up and written when the controls screen changes them;
    // empty: the file "controls" in saveDir, or the game's own bindings without one.
    std::string controlsFile;
    // The mixer the game gets; unset, a silent one (tests pass one that records).
    std::function<std::unique_ptr<AudioBackend>()> openAudio;
    // Where web addresses go; unset, nowhere (a headless game has no desktop).
    std::function<void(const std::string&)> openLink;
    // --record FILE: the recording of the run's first race (from its start to its end, or to
    // the last frame) is written to FILE.
    std::string recordPath;
    // --replay FILE: the run plays the recording (as `zarvex2 --replay` does) from its first
    // frame, recorded frame by frame; without --frames it runs until the replay has ended.
    std::string replayPath;
    // Where a result sent to the score server goes (the request's address); unset, the game's
    // own sender.
    std::function<void(const std::string&)> submitScore;
};

// Parses the command line (without the program name); false with a message on a bad argument.
bool ParseReplayArgs(const std::vector<std::string>& args, ReplayOptions& options,
                     std::string& error);

// Wall-clock cost of the frames, for --stats.
struct FrameCosts {
    std::vector<double> total;
    std::vector<double> draw;
    std::vector<double> move;
};

// The figures of --stats without the braces: "frames":N,"frame":{"median":..,"p99":..,"max":..},
// "draw":{..},"move":{..}, in milliseconds.
std::string FrameCostFields(int frames, const FrameCosts& costs);

class ReplayRunner {
public:
    explicit ReplayRunner(ReplayOptions options);
    ~ReplayRunner();

    // Starts SDL headless and the game from the archives under the data folder.
    bool Start(std::string& error);
    // The same with archives given in memory (tests).
    bool StartWith(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                   std::vector<WaveEntry> waves, std::string& error);

    void Deliver(const ScriptEvent& event);
    // Delivers the script's events for the next frame, then runs it.
    void RunFrame();
    // Runs frames up to and including frame n.
    void RunUntil(int n);
    void SetScript(std::vector<ScriptEvent> events);

    // From now on, leave the game as a player would (--quit); Finished() once it has ended.
    void Quit();
    // Ends the recording of a race still running and writes --record's file; false with a
    // message when there is no race to write or the file cannot be written.
    bool FinishRecording(std::string& error);

    int Frame() const { return frame_; }
    TMForm& Form() { return *form_; }
    bool Finished() const;
    std::string StateJson() const;
    // The whole surface, or only the part the window shows.
    bool SaveShot(const std::string& path, bool windowOnly = false) const;
    // The --report-every line: the frame, the screen and level, the sprite count now and the
    // highest it reached at the end of a frame since the last report, and the resident memory.
    // Starts the next stretch of the peak.
    std::string LoadReportJson();
    const FrameCosts& Costs() const { return costs_; }

    // Convenience for tests: hold or release a key (as "down"/"up" events would).
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    void Type(const std::string& text);
    // The same for the pads, as the "pad" events do: PadAdd gives the new pad's number; a pad
    // number of 0 stands for the first one still connected. Buttons and axes by SDL's names.
    int PadAdd();
    void PadRemove(int pad = 0);
    void PadButton(const std::string& button, bool down, int pad = 0);
    void PadAxis(const std::string& axis, int value, int pad = 0);
    // Hands what SDL reports of the pads to the game's event handler (after every pad event;
    // tests that work a virtual pad of their own call it themselves).
    void PumpPadEvents();

private:
    bool AfterStart(std::string& error);
    // Where the game hands each race's recording: the first goes to --record's file.
    void KeepRecording(const std::string& bytes);
    // Straight into a race at a level with the chosen car, as the start-game screen's Start
    // does, and hands the car what --give asks for.
    void StartRaceShortCut(int level);
    uint64_t ClockAt(int frame) const;
    void Send(const SDL_Event& event);
    void SendKey(SDL_Scancode key, bool down);
    void DeliverPad(const ScriptEvent& event);
    // --levels: the share of the frames a start level has; the race is left when it ends.
    void FollowLevelShares();
    // While leaving: presses the key that leads out of the current screen or window, one key
    // at a time, each let go the frame after.
    void LeaveStep();

    ReplayOptions options_;
    std::unique_ptr<TMForm> form_;
    std::vector<ScriptEvent> script_;
    size_t nextEvent_ = 0;
    int frame_ = 0;
    bool sdlStarted_ = false;
    FrameCosts costs_;
    SDL_Keymod modifiers_ = KMOD_NONE;
    int mouseX_ = 0;
    int mouseY_ = 0;
    VirtualPads pads_;
    size_t levelShare_ = 0;  // the entry of --levels being played
    int nextRaceLevel_ = 0;  // > 0: where the next race starts, after a share ended
    bool leaving_ = false;
    bool quitting_ = false;
    SDL_Scancode pressedKey_ = SDL_SCANCODE_UNKNOWN;  // let go in the next frame
    int spritePeak_ = 0;
    bool recordWritten_ = false;
    std::string recordError_;
};

// After a frame: the actors line (--actors) and the map file (--map) asked for that frame; false
// with a message when a file cannot be written.
bool WriteActorReports(ReplayRunner& runner, const ReplayOptions& options, int frame,
                       std::ostream& out, std::ostream& err);

// The resident memory of this process in kB, 0 where it cannot be told.
long ResidentKb();

// The line --replay prints at the end: {"replay":FILE,"frames":..,"recordedFrames":..,
// "Score":..,"recordedScore":..}, the frames played and the score reached beside what the
// recording says.
std::string ReplaySummaryJson(const WatchSummary& summary);

// The whole command: returns the exit status; output goes to out, messages to err.
int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err);
