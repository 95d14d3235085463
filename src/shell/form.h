#pragma once
// The main form: the one object of the game. It keeps the window and its components, runs the
// start-up sequence and the frame loop's frame handler, turns the window's and the pad's events
// into input, and dispatches clicks and the modal windows. The menu screens (TFrontEnd) and the
// race (TRaceScreen) are parts of their own that it owns and runs.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontend/front_end.h"
#include "frontend/screen_values.h"
#include "media/frame_timing.h"
#include "persist/game_options.h"
#include "persist/high_score_table.h"
#include "persist/replay_file.h"
#include "shell/form_components.h"
#include "shell/form_menu_host.h"
#include "shell/input.h"
#include "shell/race_recorder.h"
#include "shell/race_screen.h"
#include "shell/replay_pacer.h"
#include "sprites/car_items.h"

// Wall-clock cost of a frame's draw and move parts, measured only when asked for (the replay
// runner's figures); the game itself never reads it.
struct FrameProfile {
    double drawMs = 0;
    double moveMs = 0;
};

struct FormConfig {
    bool headless = false;      // offscreen window, software renderer, no frame pacing
    bool seedFromClock = true;  // the game seeds from the clock; the replay runner does not
    uint32_t seed = 1;
    int refreshRateOverride = 0;  // > 0: use this instead of the display's rate (replays)
    std::string dataDir = "Data";
    // Where the options and the high-score table are kept (and, for a game with a real window,
    // the window's size); empty: nothing is read or written, so that replays and tests never
    // depend on, nor touch, a player's saves.
    std::string saveDir;
    // Where the exit link "play.url" is looked for; empty: the working directory.
    std::string userDir;
    // The player's controls, read at start-up and written when the controls screen changes them;
    // empty: the file "controls" in saveDir (none at all when that is empty too).
    std::string controlsFile;
    bool showMessageBoxes = true;
    // Opens the mixer; unset, the game's own (SDL_mixer, or silence without a device). Tests and
    // the replay runner pass a backend that records what is played.
    std::function<std::unique_ptr<AudioBackend>()> openAudio;
    // Hands a web address to the desktop; unset, SDL_OpenURL (and nothing at all when headless).
    std::function<void(const std::string&)> openLink;
    // Sends a result to the score server, given the request's whole address (the server's base,
    // the path and the encoded score record); unset, the default sender below.
    std::function<void(const std::string&)> submitScore;
    // Only SDL's virtual pads are used (replays and tests): a pad on the machine never joins.
    bool virtualPadsOnly = false;
    // Takes the recording of each race as it ends (the whole file's bytes); unset, the game keeps
    // it in the folder "replays" beside the saves (and nowhere without a save folder).
    std::function<void(const std::string&)> keepRecording;
};

// Where a watched replay returns to when it ends or is left.
enum class WatchOrigin { MainMenu, HighScores };

// How a watched replay went: the frames played of those recorded and the score it reached. Once
// it has ended as the race did (its race over, or every frame played) the score is the one the
// race ended with, unless the game no longer plays the same.
struct WatchSummary {
    std::string FileName;
    uint32_t FramesPlayed = 0;
    uint32_t RecordedFrames = 0;
    int Score = 0;
    int RecordedScore = 0;
    bool RaceOver = false;  // the replay's race ended by itself, as the recorded one did
    bool Ended() const { return RaceOver || FramesPlayed == RecordedFrames; }
};

// A replay being watched (src/shell/replays.cpp): the recording, where it has got to, and what
// the game held before it started, given back when it ends.
struct WatchState {
    bool Active = false;
    std::optional<ReplayRecording> Pending;  // starts at the next frame
    WatchOrigin PendingOrigin = WatchOrigin::MainMenu;
    std::string PendingFileName;

    ReplayRecording Recording;
    std::optional<ReplayStreamReader> Cursor;  // walks Recording.Stream
    WatchOrigin Origin = WatchOrigin::MainMenu;
    ReplayFrame Frame;  // the frame being played
    WatchSummary Summary;
    ReplayPacer Pacer;
    bool FastKey = false;  // F or Tab held
    bool FastPad = false;  // the pad's right shoulder held

    int SavedCar = 1;
    std::string SavedName;
    char SavedTypedChar = 0;
    uint32_t SavedRandom = 0;
    FrameTiming SavedTiming;
    int SavedMouseX = 0;
    int SavedMouseY = 0;
};

// The recorded races the high-score screen offers: the file behind each row of the table, and
// the last race.
struct ReplayShelf {
    std::array<std::string, 11> RowFiles;  // slots 1 to 10; empty: no recording
    std::string LastRaceFile;
};

// The sender of every form whose config names none: at first the game's HTTP client, which
// makes the request and forgets it. A test program puts in its place one that fails the test, so
// that no test can write into a real score server.
void SetDefaultScoreSender(std::function<void(const std::string&)> sender);

class TMForm {
    // First of all: the components below are made from it.
    const FormConfig config_;

public:
    explicit TMForm(FormConfig config);
    ~TMForm();
    TMForm(const TMForm&) = delete;
    TMForm& operator=(const TMForm&) = delete;

    // ---- Start-up -------------------------------------------------------------------------------
    // The start-up sequence. Returns false, after telling the player which file is missing or
    // broken, when the game cannot run.
    bool FormCreate();
    // The same start-up with archives given in memory instead of read from Data/Res (tests).
    bool FormCreateFrom(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                        std::vector<WaveEntry> waves);
    // Reports a fatal problem: a message box (when allowed) and a line on stderr.
    void ReportFatal(const std::string& message) const;

    // ---- The frame ------------------------------------------------------------------------------
    // One frame, called by the frame timer with the milliseconds since the previous frame. With a
    // profile, the wall-clock cost of the frame's draw and move parts is noted there. Without
    // `present` the frame is drawn but not shown (a replay's frames played more than one at a
    // time).
    void FrameHandler(int LagCount, FrameProfile* profile = nullptr, bool present = true);

    // ---- Form events ----------------------------------------------------------------------------
    // A window or pad event as SDL delivers it (src/shell/form_events.cpp): the game loop feeds
    // it what SDL delivers, the replay runner what its script says, so both run one code path.
    // nowMs is the frame clock's time (the focus events restart the frame timer with it).
    void HandleEvent(const SDL_Event& event, uint64_t nowMs);
    // True when the controls screen's capture took the key: it is then nothing else (no Enter,
    // no Backspace). A key held down repeats; a repeat is never captured.
    bool FormKeyDown(SDL_Scancode key, bool altHeld, bool repeat = false);
    void FormKeyUp(SDL_Scancode key);
    void FormKeyPress(char c);
    // The close box, Alt+F4 or a close request of the system: never closes, asks instead.
    bool FormCloseQuery();
    void MDXDrawMouseMove(int x, int y);
    void MDXDrawClick();
    // The application gained or lost the focus (or was minimised and restored).
    void SetActive(bool active, uint64_t nowMs);
    bool Active() const { return active_; }

    // ---- Dispatch -------------------------------------------------------------------------------
    // The one dispatcher: a click, Enter or the pad's A does what the selected button does.
    void ClickSelected();
    void ClickButton(int index);
    // One modal window at a time: a request while one is open is dropped.
    void OpenWindow(ModalWindow kind);
    void CloseWindow();

    // ---- Recording and watching races (src/shell/replays.cpp) ----------------------------------
    // The race tells the form it starts and ends; between the two it is recorded, unless it is a
    // replay being watched.
    void NoteRaceStart(int firstLevel, const std::vector<CarItem>& gives);
    void NoteRaceEnd();
    // Ends the recording of the race being played and keeps it, as its end would (the game ends
    // in the middle of a race, or the replay runner's run does).
    void FinishRaceRecording();
    // Watches a recording from the next frame on, and comes back to `origin` at its end.
    void WatchReplay(ReplayRecording recording, WatchOrigin origin, std::string fileName);
    bool Watching() const { return Watch.Active || Watch.Pending.has_value(); }
    // The game loop's frame while a replay is watched: as many recorded frames as are due.
    void WatchFrames(int LagCount);
    // Leaves the replay being watched for where it was started.
    void StopWatching();
    // The replay watched now or last; none before the first.
    std::optional<WatchSummary> LastWatch() const;
    // Whether a score enters the high-score table: the table's answer, or in a replay the
    // recorded table's.
    bool EntersTable(int score) const;
    // Reads the replays folder for the high-score screen's offer.
    void RefreshReplayShelf();
    // Watches the race of a row of the table, or with 0 the last race; false when there is none
    // (or it cannot be read).
    bool WatchShelfReplay(int row);

    // ---- Shut-down ------------------------------------------------------------------------------
    // A signal from outside (Ctrl+C, kill, the end of the session) ends the game at once, with
    // the saves written as on the exit question's Yes but no link opened: nobody is there to see
    // it.
    void ShutDownOnSignal();
    bool Terminated() const { return terminated_; }

    // ---- Parts ----------------------------------------------------------------------------------
    FrameTiming Timing;
    InputValues Input;
    ScreenValues Screens;
    TGameOptions Options;
    THighScoreTable HighScores;
    FormComponents Components{config_, Options};
    TRaceScreen RaceScreen{*this};
    // The menu screens see the game through the adapter, which is therefore made first.
    FormMenuHost MenuHostAdapter{*this};
    TFrontEnd FrontEnd{MenuHostAdapter};
    TRaceRecorder Recorder;
    WatchState Watch;
    ReplayShelf Shelf;

private:
    // The menus' adapter plays the screen's song and applies the display mode as the form does.
    friend class FormMenuHost;

    bool OpenDisplay();
    void FinishStartUp();
    void ApplyDisplayMode();
    void PollInput();
    void UpdateHover();
    // What the pad's buttons mean now: the menus' meaning wherever there is something to choose
    // (the menu screens, the Yes/No windows, the name entry), the race's meaning elsewhere.
    PadMode PadModeNow() const;
    // The pad's events (src/shell/pad_events.cpp): a pad connected (SDL's device index) or pulled
    // out, and the buttons and axes of the pad in use (the others' are ignored).
    void GamePadAdded(int deviceIndex);
    void GamePadRemoved(SDL_JoystickID id);
    void GamePadButton(SDL_JoystickID id, int button, bool down);
    void GamePadAxis(SDL_JoystickID id, int axis, int value);
    void HandleWindowEvent(const SDL_WindowEvent& window, uint64_t nowMs);
    // Alt+Enter: full screen on or off, the race paused first.
    void FullScreenKey();
    // The pad in use was pulled out: a race stops.
    void PadLost();

    // Recording and watching (src/shell/replays.cpp).
    void NoteEvent(ReplayEventKind kind, int a = 0, int b = 0);
    void NoteFrame(int LagCount);
    void KeepRecording(const std::string& bytes);
    void BeginWatching();
    // At a watched frame's start: the events recorded before it, then what it read from the
    // clock. Returns the LagCount to run the frame with (the real one once the replay ended).
    int PlayFrameStart(int LagCount);
    void DeliverReplayEvent(const ReplayEvent& event);
    // The viewer's own keys and buttons while a replay plays: true when taken.
    bool HandleWatchingEvent(const SDL_Event& event);
    void DrawReplayLabel();
    // The replay's race has ended where the recorded one went on to the table or the menus.
    void EndReplayRace();
    // The file of the replays folder, or empty without a save folder.
    std::filesystem::path ReplayFolder() const;

    // The click dispatcher's part for each screen (src/shell/click_dispatch.cpp).
    void ClickMainMenu(int button);
    void ClickStartGame(int button);
    void ClickOptions(int button);
    void ClickHighScores(int button);
    void ClickHelp(int button);
    void ClickControls(int button);
    // The controls screen waits for a key or a pad button (src/shell/pad_events.cpp for the pad).
    bool CapturingControls() const;
    // The controls file (FormConfig::controlsFile); empty when the controls are not kept.
    std::string ControlsPath() const;
    // Writes the controls to their file, when there is one.
    void KeepControls();
    // The song of the screen shown: the race's on the race screen, the menus' elsewhere.
    void PlayMusic();
    void WindowFrame(int LagCount);
    void ConfirmNameEntry();
    // Back to the main menu after a race: the race is removed and the menu opens without its
    // intro; with the high scores after a name was entered.
    void LeaveRaceForMainMenu();
    void LeaveRaceForHighScores();
    // Sends the confirmed name and score to the score server; failures are silent.
    void SubmitScore();
    // Frees what was killed, writes the options and the table, opens the exit link when there
    // is one, and ends the game.
    void SaveAndQuit();
    void WriteSaveFiles();

    bool active_ = true;
    bool terminated_ = false;
    std::optional<WatchSummary> lastWatch_;
    uint32_t startSeed_ = 1;  // what the generator was seeded with at start-up
};
